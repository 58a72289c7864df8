// The headless backend: no window at all. The form is created and drawn as
// usual, so tests and scripted runs exercise the same drawing code; there is
// nothing to show it on and no events arrive.
#include "platform/backend.h"

namespace platform {
namespace {

class Headless final : public WindowBackend {
 public:
  void start() override {}
  void setTitle(const char*) override {}
  void openForm(const char*, int, int, const WindowOptions&, const FormEvents& events) override {
    if (events.create) events.create();
  }
  void present(const Canvas*) override {}
  int run() override { return 0; }
  // No box: the application writes the text to standard error.
  bool showBox(const char*, const char*, bool) override { return false; }
  int askBox(const char*, const char*, const char* const*, int) override { return -1; }
  void setIcon(const uint32_t*, int, int) override {}
  void stop() override {}
};

}  // namespace

WindowBackend& headlessBackend() {
  static Headless backend;
  return backend;
}

}  // namespace platform
