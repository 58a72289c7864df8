// The message box in the browser: a box over the page that holds the game's
// keys until it is closed. The dispatcher goes on at once, as nothing it does
// afterwards depends on the box.
#include "platform/message_box.h"

#include "platform/application.h"
#include "platform/headless.h"
#include "platform/web/browser_window.h"

namespace platform {

void showMessageBox(const char* text, const char* caption) {
  if (Application.backend() == Backend::Window) {
    browser::showBox(text, caption);
    return;
  }
  headless::showBox(text);
}

}  // namespace platform
