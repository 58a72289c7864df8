// The application object: picks the backend at start-up and forwards the
// form's life (creation, events, repaint, failures) to it.
#include "platform/application.h"

#include <cstdio>

#include "platform/media/font.h"

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
  WindowBackend& chosen = backend == Backend::Window ? windowBackend() : headlessBackend();
  // Fonts start with the first one prepared: a replay that draws nothing
  // never pays for reading the font configuration.
  chosen.start();
  system_ = &chosen;
  backend_ = backend;
}

void TApplication::setTitle(const char* title) {
  std::snprintf(title_, sizeof title_, "%s", title ? title : "");
  system_->setTitle(title_);
}

void TApplication::createForm(const char* caption, int width, int height,
                              const FormEvents& events) {
  events_ = events;
  system_->openForm(caption ? caption : "", width < 1 ? 1 : width, height < 1 ? 1 : height,
                    options_, events_);
}

int TApplication::run() { return system_->run(); }

bool TApplication::showException(const char* message) {
  if (system_->showBox(message ? message : "", title_, true)) return true;
  std::fprintf(stderr, "%s\n", message ? message : "");
  return false;
}

void TApplication::showMessage(const char* text, const char* caption) {
  if (system_->showBox(text ? text : "", caption ? caption : "", false)) return;
  std::fprintf(stderr, "message box: %s\n", text ? text : "");
}

int TApplication::ask(const char* text, const char* caption, const char* const* buttons, int count,
                      int fallback) {
  const int chosen = system_->askBox(text ? text : "", caption ? caption : "", buttons, count);
  if (chosen >= 0) return chosen;
  std::fprintf(stderr, "message box: %s\n", text ? text : "");
  return fallback;
}

void TApplication::present() {
  system_->present(events_.topSurface ? events_.topSurface() : nullptr);
}

void TApplication::setWindowIcon(const uint32_t* argb, int width, int height) {
  system_->setIcon(argb, width, height);
}

void TApplication::shutdown() {
  system_->stop();
  shutdownFonts();
  system_ = &headlessBackend();
  backend_ = Backend::Headless;
}

}  // namespace platform
