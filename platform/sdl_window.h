// The SDL2 window backend behind TApplication: one fixed-size window showing
// the top surface, key-downs translated to virtual-key codes. Internal to the
// platform layer.
#pragma once

#include <cstdint>

#include "platform/application.h"

namespace platform::sdl {

// Starts SDL's video. Throws NoDisplayError when there is no real display.
void start();
// Records the task-bar title: the application name and, on X11, the window's
// class and icon name.
void setTitle(const char* title);
// Opens the window, hidden, with a client area of clientWidth x clientHeight
// enlarged `scale` times. With `fullscreen` the window covers its screen
// (desktop mode) and the client area is enlarged by the largest whole factor
// that fits there, at most `scale` (0: no cap), centred on black.
void openWindow(const char* caption, int clientWidth, int clientHeight, int scale,
                bool fullscreen);
// Shows the window with the top surface on it.
void showWindow(const Canvas* top);
// Copies the top-left of `top` into the window and updates it.
void present(const Canvas* top);
// Delivers events until the window is closed; returns 0.
int run(const FormEvents& events);
// Shows a modal box over the window. Returns false when it could not be shown.
bool showBox(const char* text, const char* caption, bool error);
// Sets (or keeps for the window yet to open) the icon, 0xAARRGGBB pixels.
void setIcon(const uint32_t* argb, int width, int height);
// Closes the window and SDL.
void stop();

}  // namespace platform::sdl
