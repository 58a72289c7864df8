// Setting the X11 class and icon name of the window. SDL sets both from the
// caption or the program's file name; the game wants its short title there.
// Also the X error handler that lets a closing window's last message pass.
// SDL loads Xlib itself, so the few calls are found in the loaded library
// rather than linking Xlib a second time.
#include "platform/x11_names.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform::sdl {
namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);
ErrorHandler previousErrorHandler = nullptr;

int passGoneWindowError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return previousErrorHandler ? previousErrorHandler(display, error) : 0;
}

}  // namespace

void passGoneWindowErrors() {
  // The same library SDL loads a moment later; it stays loaded to the end, as
  // the handler lives on in it.
  static void* xlib = dlopen("libX11.so.6", RTLD_LAZY);
  if (!xlib) return;
  using SetErrorHandler = ErrorHandler (*)(ErrorHandler);
  auto setErrorHandler = reinterpret_cast<SetErrorHandler>(dlsym(xlib, "XSetErrorHandler"));
  if (!setErrorHandler) return;
  ErrorHandler previous = setErrorHandler(passGoneWindowError);
  if (previous != passGoneWindowError) previousErrorHandler = previous;
}

void setX11Names(SDL_Window* window, const char* title) {
  if (!window || !title) return;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!xlib) return;
  using SetClassHint = int (*)(Display*, Window, XClassHint*);
  using InternAtom = Atom (*)(Display*, const char*, Bool);
  using ChangeProperty = int (*)(Display*, Window, Atom, Atom, int, int, const unsigned char*, int);
  using Flush = int (*)(Display*);
  auto setClassHint = reinterpret_cast<SetClassHint>(dlsym(xlib, "XSetClassHint"));
  auto internAtom = reinterpret_cast<InternAtom>(dlsym(xlib, "XInternAtom"));
  auto changeProperty = reinterpret_cast<ChangeProperty>(dlsym(xlib, "XChangeProperty"));
  auto flush = reinterpret_cast<Flush>(dlsym(xlib, "XFlush"));
  if (setClassHint && internAtom && changeProperty && flush) {
    Display* display = info.info.x11.display;
    Window xwindow = info.info.x11.window;
    char name[128];
    std::snprintf(name, sizeof name, "%s", title);
    XClassHint hint{name, name};
    // A class the player chose for his window manager's rules stays.
    if (!std::getenv("SDL_VIDEO_X11_WMCLASS")) setClassHint(display, xwindow, &hint);
    auto bytes = reinterpret_cast<const unsigned char*>(title);
    int length = int(std::strlen(title));
    changeProperty(display, xwindow, internAtom(display, "WM_ICON_NAME", False), XA_STRING, 8,
                   PropModeReplace, bytes, length);
    changeProperty(display, xwindow, internAtom(display, "_NET_WM_ICON_NAME", False),
                   internAtom(display, "UTF8_STRING", False), 8, PropModeReplace, bytes, length);
    flush(display);
  }
  dlclose(xlib);
}

}  // namespace platform::sdl
