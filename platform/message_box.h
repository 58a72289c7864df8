// A modal message box with a text, a caption and one OK button.
#pragma once

namespace platform {

// Shows the box. Over the desktop's window it returns when the player has
// closed it; on the page it returns at once and the box holds the game's
// keys until it is closed. Headless, or when no box can be shown, the text
// goes to standard error behind "message box: " and it returns at once.
void showMessageBox(const char* text, const char* caption);

}  // namespace platform
