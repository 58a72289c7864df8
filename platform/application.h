// The application object: start-up of a backend (backend.h), the form's
// window, the event loop and reporting a start-up failure. The same object
// serves the desktop, the browser and headless runs.
#pragma once

#include <cstdint>

#include "platform/backend.h"

namespace platform {

class TApplication {
 public:
  // Starts `backend` (fonts start when the first is prepared). Throws
  // NoDisplayError when the window backend has no display, std::runtime_error
  // on other failures; the application then stays headless.
  void initialize(Backend backend, const WindowOptions& options = {});
  // Sets the task-bar title.
  void setTitle(const char* title);
  // Creates the fixed-size window with a client area of width x height and
  // its caption, calls events.create and shows the window with the frame it
  // drew. Headless: only the call.
  void createForm(const char* caption, int width, int height, const FormEvents& events);
  // Window: delivers key-downs to events.keyDown and repaints on every
  // expose, until the window is closed; returns 0. Browser and headless: 0 at
  // once (the page's keys arrive by callback).
  int run();
  // Shows a start-up failure's message in the message box. Returns whether a
  // box showed it; when none could (no window system yet, or headless) the
  // message goes to standard error instead.
  bool showException(const char* message);
  // Shows `text` in the modal message box with one OK button. Headless, or
  // when no box can be shown, the text goes to standard error behind
  // "message box: ".
  void showMessage(const char* text, const char* caption);
  // Asks `text` with `count` buttons (backend.h's askBox). Returns the button
  // chosen; when no box can ask (headless, the page) the question goes to
  // standard error behind "message box: " and `fallback` is the answer.
  int ask(const char* text, const char* caption, const char* const* buttons, int count,
          int fallback);
  // Shows the top surface in the window now; the one call that puts a frame
  // on screen after a key. Nothing headless.
  void present();
  // Sets the window's icon from width x height pixels 0xAARRGGBB, row-major
  // (copied). Call after initialize; applies to a window created later too.
  // Ignored headless and in the browser.
  void setWindowIcon(const uint32_t* argb, int width, int height);
  Backend backend() const { return backend_; }
  // Closes the window (the page shows its closed screen) and the fonts; the
  // application is headless again.
  void shutdown();

 private:
  Backend backend_ = Backend::Headless;
  WindowBackend* system_ = &headlessBackend();
  WindowOptions options_;
  FormEvents events_;
  char title_[128] = {};
};

extern TApplication Application;

}  // namespace platform
