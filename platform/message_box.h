// A modal message box with a text, a caption and one OK button.
#pragma once

namespace platform {

// Shows the box and returns when the player has closed it. In headless mode
// the text goes to standard error behind "message box: " and it returns at
// once.
void showMessageBox(const char* text, const char* caption);

}  // namespace platform
