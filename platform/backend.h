// The platform seam: the few types every front end and every backend share,
// and the interface a backend implements. Three backends sit behind it: the
// SDL2 window (sdl_window.cpp), the browser page (web/browser_window.cpp) and
// no window at all (headless.cpp). Nothing of a native library appears here.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace platform {

class Canvas;

// What the window needs from the form.
struct FormEvents {
  void (*create)() = nullptr;               // sizes the surfaces and draws the first screen
  void (*keyDown)(uint16_t key) = nullptr;  // one key press, by the game's key code
  const Canvas* (*topSurface)() = nullptr;  // the surface the player sees
  // A character the player typed (a Unicode code point), delivered after the
  // key-down that typed it. Null: the form takes no typed characters.
  void (*typed)(uint32_t character) = nullptr;
  // The form's clock, for an event loop that has one (the SDL window): called
  // once the form is shown, after every key-down and typed character, and
  // whenever the wait it last asked for has passed with no other event.
  // Returns the longest wait in milliseconds before the next call, or -1 to
  // wait for events alone. It lets the form show a walk of several keys step
  // by step, or play a game back at a pace. Null: no clock is needed.
  int (*tick)() = nullptr;
  // The player asks to close the window: true lets it close, false keeps it
  // open (the form asked the player and was told to stay). Null: it closes.
  bool (*closing)() = nullptr;
};

// Which backend the application runs on. Window is the program's own window
// system: the SDL2 window on the desktop, the page in the browser build.
enum class Backend { Window, Headless };

// Thrown when the window backend finds no display.
class NoDisplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct WindowOptions {
  int scale = 1;            // 1 to 4: whole-pixel enlargement of the window
  bool fullscreen = false;  // fill the screen: the largest whole enlargement
                            // that fits, at most `scale` (0: no cap), centred
                            // on black
};

// What a backend does for the application object (application.h), which
// forwards to exactly one of them from initialize() to shutdown().
class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  // Starts the window system. Throws NoDisplayError when there is none to
  // show a window on, std::runtime_error on other failures.
  virtual void start() = 0;
  // Records the task-bar title, for a window open or yet to open.
  virtual void setTitle(const char* title) = 0;
  // Opens the form's window with a client area of width x height (enlarged as
  // `options` ask), calls events.create and shows the window with the frame
  // the creation drew. From then on key-downs go to events.keyDown.
  virtual void openForm(const char* caption, int width, int height, const WindowOptions& options,
                        const FormEvents& events) = 0;
  // Shows `top` (null: nothing to show) in the window now. Never allocates.
  virtual void present(const Canvas* top) = 0;
  // Delivers events until the player closes the window; returns 0. A backend
  // whose events arrive by callback, or that has none, returns 0 at once.
  virtual int run() = 0;
  // Shows `text` in a box with one OK button; `error` marks a failure.
  // Returns false when no box could show it.
  virtual bool showBox(const char* text, const char* caption, bool error) = 0;
  // Asks `text` in a box with `count` buttons named `buttons`, the first the
  // one Enter takes and the last the one Escape takes. Returns the button
  // chosen, or -1 when no box could ask.
  virtual int askBox(const char* text, const char* caption, const char* const* buttons,
                     int count) = 0;
  // Sets the window's icon from width x height pixels 0xAARRGGBB (copied),
  // for a window open or yet to open. A backend without icons ignores it.
  virtual void setIcon(const uint32_t* argb, int width, int height) = 0;
  // Closes the window and the window system.
  virtual void stop() = 0;
};

// The window backend this program is built with: the SDL2 window on the
// desktop, which the native module holds (loading it here throws
// std::runtime_error when it cannot be loaded), the page in the browser build.
WindowBackend& windowBackend();
// The backend without a window: the form is created and drawn as usual, so
// tests and scripted runs exercise the same drawing code; nothing shows it.
WindowBackend& headlessBackend();

}  // namespace platform
