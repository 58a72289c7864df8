// The names an X11 desktop shows for the window beside its caption: the
// window class (how task bars group and label it) and the icon name (shown
// for the minimised window). Internal to the platform layer.
#pragma once

struct SDL_Window;

namespace platform::sdl {

// Gives an X11 window `title` as its class and icon name. Does nothing on
// other video drivers.
void setX11Names(SDL_Window* window, const char* title);

}  // namespace platform::sdl
