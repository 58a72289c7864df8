// The headless backend: no window at all. The form is created and drawn as
// usual, so tests and scripted runs exercise the same drawing code; there is
// nothing to show it on and no events arrive.
#include "platform/headless.h"

#include <cstdio>

namespace platform::headless {

void createForm(const FormEvents& events) {
  if (events.create) events.create();
}

int run() { return 0; }

void showBox(const char* text) { std::fprintf(stderr, "message box: %s\n", text ? text : ""); }

void showError(const char* message) { std::fprintf(stderr, "%s\n", message ? message : ""); }

}  // namespace platform::headless
