// The modal message box: a real one over the window or on the page, or its
// text on standard error when the game runs headless (or no box can be shown).
#include "platform/message_box.h"

#include "platform/application.h"

namespace platform {

void showMessageBox(const char* text, const char* caption) {
  Application.showMessage(text, caption);
}

}  // namespace platform
