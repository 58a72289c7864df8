// The message box in the browser: a box over the page that holds the game's
// keys until it is closed. The dispatcher goes on at once, as nothing it does
// afterwards depends on the box. Its text is wrapped here, measured in the
// box's own font, with the same line breaking as the desktop's box; the
// page's style wraps it again should the window narrow while it is open.
#include <emscripten/emscripten.h>

#include <string>

#include "platform/application.h"
#include "platform/headless.h"
#include "platform/message_box.h"
#include "platform/text_wrap.h"
#include "platform/web/browser_window.h"

// Widths in 64ths of a CSS pixel: the room for a line of the box, and one
// character in the box's font.
// clang-format off
EM_JS(int, pageBoxLineWidth, (), { return velmoraPage.boxLineWidth(); });
EM_JS(int, pageBoxCharWidth, (uint32_t code), { return velmoraPage.boxCharWidth(code); });
// clang-format on

namespace platform {
namespace {

int boxCharWidth(uint32_t code) { return pageBoxCharWidth(code); }

}  // namespace

void showMessageBox(const char* text, const char* caption) {
  if (Application.backend() == Backend::Window) {
    const std::string shown = wrapText(text ? text : "", pageBoxLineWidth(), boxCharWidth);
    browser::showBox(shown.c_str(), caption);
    return;
  }
  headless::showBox(text);
}

}  // namespace platform
