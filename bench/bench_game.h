// The games the benchmarks measure on: the records of a new game alone, or
// the whole headless form with a new game in the field.
#pragma once

#include <cstddef>

#include "ui/view_size.h"

// The surface as the window's metrics make it, 4 bytes a pixel: the yardstick
// every figure is read against.
constexpr size_t SurfaceBytes = size_t(formOuterSize().width) * formOuterSize().height * 4;

// Every record at its start, the run's resets and a new game begun, in the
// field; no form, nothing drawn. Needs the rules alone.
void startRecordsOnlyGame();
// The headless application and the form's pictures (loaded once), the form
// created and a new game shown in the field, as the first key press leaves it.
void startFormGame();
