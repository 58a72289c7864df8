// The headless backend behind TApplication. Internal to the platform layer.
#pragma once

#include "platform/application.h"

namespace platform::headless {

// Calls events.create: the form draws on its surfaces, nobody sees them.
void createForm(const FormEvents& events);
// There are no events to wait for: returns 0 at once.
int run();
// A message box's text to standard error, behind "message box: ".
void showBox(const char* text);
// A start-up failure's message to standard error, on a line of its own.
void showError(const char* message);

}  // namespace platform::headless
