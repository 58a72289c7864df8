// A started game for the screen tests: the headless platform, the form with
// its pictures and fonts, the title's once-per-run resets and a new game in
// the field.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/canvas.h"

// Brings up the headless application and loads the form's image lists, fonts
// and title picture; only the first call does anything.
void prepareHeadlessForm();
// prepareHeadlessForm, every record at its program-start value, then
// FormCreate: surfaces sized, title shown, maps copied, score 5000.
void showFreshTitle();
// showFreshTitle, then the game the first key press starts: a new game and
// the field drawn and presented.
void startFieldGame();

// Copies the block (x, y, w, h) of a canvas (pixels outside read as 0).
std::vector<uint32_t> blockOf(const platform::Canvas& canvas, int x, int y, int w, int h);
