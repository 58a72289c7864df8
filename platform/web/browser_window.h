// The browser backend's own calls, beside the application object's.
#pragma once

namespace platform::browser {

// Shows the page's message box; until it is closed the game gets no keys.
void showBox(const char* text, const char* caption);
// Hides it again (OK, Enter, Space or Escape).
void closeBox();

}  // namespace platform::browser
