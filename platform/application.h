// The application object: start-up of a backend (an SDL2 window or none),
// the form's window, the event loop and reporting a start-up failure.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "platform/canvas.h"

namespace platform {

// What the window needs from the form.
struct FormEvents {
  void (*create)() = nullptr;               // FormCreate: sizes and draws
  void (*keyDown)(uint16_t key) = nullptr;  // FormKeyDown
  const Canvas* (*topSurface)() = nullptr;  // the surface the player sees
};

enum class Backend { Window, Headless };

// Thrown by initialize() when the window backend finds no display.
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

class TApplication {
 public:
  // Prepares the backend (fonts start when the first is prepared). Throws NoDisplayError when the
  // window backend has no display, std::runtime_error on other failures.
  void initialize(Backend backend, const WindowOptions& options = {});
  // The task-bar title.
  void setTitle(const char* title);
  // Creates the fixed-size window (outer size as the metrics give it) with
  // its caption and calls events.create. In headless mode only the call.
  void createForm(const char* caption, int outerWidth, int outerHeight, const FormEvents& events);
  // Window: delivers key-downs to events.keyDown and repaints after each and
  // on every expose, until the window is closed; returns 0. Headless: 0.
  int run();
  // Shows a start-up failure's message in the message box. Returns whether a
  // box showed it; when none could (no window system yet, or headless) the
  // message goes to standard error instead.
  bool showException(const char* message);
  // Repaints the window from the top surface now (no-op headless).
  void present();
  // Sets the window's icon from width x height pixels 0xAARRGGBB, row-major
  // (copied). Call after initialize; applies to a window created later too.
  // Ignored headless.
  void setWindowIcon(const uint32_t* argb, int width, int height);
  Backend backend() const { return backend_; }
  void shutdown();

 private:
  Backend backend_ = Backend::Headless;
  WindowOptions options_;
  FormEvents events_;
  char title_[128] = {};
};

extern TApplication Application;

}  // namespace platform
