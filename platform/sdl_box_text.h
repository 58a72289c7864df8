// The desktop message box's text, cut into lines that fit the screen.
#pragma once

#include <string>

struct SDL_Window;

namespace platform::sdl {

// Returns `text` wrapped and, if need be, cut to the rows that fit on the
// usable part of the display that holds `window` (the first display when
// there is no window).
std::string boxText(const char* text, SDL_Window* window);

}  // namespace platform::sdl
