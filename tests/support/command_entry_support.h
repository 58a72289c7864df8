// Helpers for the command-entry tests: a form ready to draw on, a game in
// command entry, and pixel probes of the grid, its cursor rings and the
// statement slots of the strip.
#pragma once

#include <string>

#include "platform/canvas.h"

// Loads the form's pictures and fonts (once per test run), creates the
// surfaces and shows the title, with every record at its program-start value.
void prepareForm();
// prepareForm, a new game in the field, then command entry opened.
void openFreshCommandEntry();
// Puts text on the command line as if it had been picked (no drawing).
void setCommandLine(const std::string& text);

// Counts the pixels of r on canvas darker than mid-grey in every channel,
// which the black text has and the white ground and grey rings do not.
int darkPixels(const platform::Canvas& canvas, const platform::Rect& r);
// The area a grid cell's glyph is drawn in, and the strip's k-th statement
// slot from the right (k = 1 is the last character).
platform::Rect glyphArea(int col, int row);
platform::Rect commandSlot(int k);

// Compares Image2 with Chara image `index` drawn through its mask with its
// top-left at (x, y): returns how many of the image's opaque pixels Image2
// shows in the image's colour, and sets `opaque` to their number.
int matchingImagePixels(int index, int x, int y, int* opaque);
