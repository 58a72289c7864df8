// The modal message box: a real one over the window, or its text on standard
// error when the game runs headless (or the box cannot be shown).
#include "platform/message_box.h"

#include "platform/application.h"
#include "platform/headless.h"
#include "platform/sdl_window.h"

namespace platform {

void showMessageBox(const char* text, const char* caption) {
  if (Application.backend() == Backend::Window && sdl::showBox(text, caption, false)) return;
  headless::showBox(text);
}

}  // namespace platform
