// The application object: picks the backend at start-up and forwards the
// form's life (creation, events, repaint, failures) to it.
#include "platform/application.h"

#include <cstdio>

#include "platform/font.h"
#include "platform/headless.h"
#include "platform/sdl_window.h"
#include "platform/system_metrics.h"

namespace platform {

TApplication Application;

void TApplication::initialize(Backend backend, const WindowOptions& options) {
  options_ = options;
  if (options_.fullscreen) {
    if (options_.scale < 0) options_.scale = 0;  // no cap: the screen decides
  } else {
    if (options_.scale < 1) options_.scale = 1;
    if (options_.scale > 4) options_.scale = 4;
  }
  // Fonts start with the first one prepared: a replay that draws nothing
  // never pays for reading the font configuration.
  if (backend == Backend::Window) sdl::start();
  backend_ = backend;
}

void TApplication::setTitle(const char* title) {
  std::snprintf(title_, sizeof title_, "%s", title ? title : "");
  if (backend_ == Backend::Window) sdl::setTitle(title_);
}

void TApplication::createForm(const char* caption, int outerWidth, int outerHeight,
                              const FormEvents& events) {
  events_ = events;
  if (backend_ == Backend::Headless) {
    headless::createForm(events_);
    return;
  }
  // The outer size includes the caption and frames the metrics describe; the
  // window system draws those itself, so only the client area is asked for.
  int frameX = getSystemMetrics(SM_CXFRAME), frameY = getSystemMetrics(SM_CYFRAME);
  int clientWidth = outerWidth - 2 * frameX;
  int clientHeight = outerHeight - getSystemMetrics(SM_CYCAPTION) - 2 * frameY;
  if (clientWidth < 1) clientWidth = 1;
  if (clientHeight < 1) clientHeight = 1;
  sdl::openWindow(caption, clientWidth, clientHeight, options_.scale, options_.fullscreen);
  if (events_.create) events_.create();
  sdl::showWindow(events_.topSurface ? events_.topSurface() : nullptr);
}

int TApplication::run() {
  return backend_ == Backend::Window ? sdl::run(events_) : headless::run();
}

bool TApplication::showException(const char* message) {
  if (backend_ == Backend::Window && sdl::showBox(message, title_, true)) return true;
  headless::showError(message);
  return false;
}

void TApplication::present() {
  if (backend_ == Backend::Window)
    sdl::present(events_.topSurface ? events_.topSurface() : nullptr);
}

void TApplication::setWindowIcon(const uint32_t* argb, int width, int height) {
  if (backend_ == Backend::Window) sdl::setIcon(argb, width, height);
}

void TApplication::shutdown() {
  if (backend_ == Backend::Window) sdl::stop();
  shutdownFonts();
  backend_ = Backend::Headless;
}

}  // namespace platform
