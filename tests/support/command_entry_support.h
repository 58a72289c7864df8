// Helpers for the command-entry tests: a game in command entry, and probes of
// the grid cells, the cursor rings and the statement slots of the strip.
#pragma once

#include <string>

#include "platform/canvas.h"

// A started game in the field (game_fixture.h), then command entry opened.
void openFreshCommandEntry();
// Puts text on the command line as if it had been picked (no drawing).
void setCommandLine(const std::string& text);

// Counts the ink pixels (darker than mid-grey) of r on canvas: the black text
// has them, the white ground and the grey rings do not.
int darkPixels(const platform::Canvas& canvas, const platform::Rect& r);
// The area a grid cell's glyph is drawn in, and the strip's k-th statement
// slot from the view's right edge (k = 1 is the last character).
platform::Rect glyphArea(int col, int row);
platform::Rect commandSlot(int k);

// Compares Image2 with Chara image `index` drawn through its mask with its
// top-left at (x, y): returns how many of the image's opaque pixels Image2
// shows in the image's colour, and sets `opaque` to their number.
int matchingImagePixels(int index, int x, int y, int* opaque);
