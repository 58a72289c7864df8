// The names an X11 desktop shows for the window beside its caption: the
// window class (how task bars group and label it) and the icon name (shown
// for the minimised window). Also keeping a window's closing from ending in
// an X error. Internal to the platform layer.
#pragma once

struct SDL_Window;

namespace platform::sdl {

// Gives an X11 window `title` as its class and icon name. Does nothing on
// other video drivers.
void setX11Names(SDL_Window* window, const char* title);

// Lets the X error of a message sent to a window that is already gone pass
// instead of ending the program; every other error goes on to Xlib's own
// handler. Closing the window races with SDL's wake-up message to it, which
// SDL sends on a connection of its own; when the window is destroyed first,
// the error comes as SDL closes that connection, and Xlib's default handler
// would end the program with status 1. Call before SDL starts its video: SDL
// keeps the handler it finds and puts it back before closing. Does nothing
// without Xlib.
void passGoneWindowErrors();

}  // namespace platform::sdl
