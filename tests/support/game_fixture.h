// A started game for the shell's tests: the headless platform, the form with
// its pictures and fonts, the title's once-per-run resets and a new game in
// the field, plus pixel probes over the surfaces.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/canvas.h"
#include "platform/image_list.h"

// Brings up the headless application and loads the form's image lists, fonts
// and title picture; only the first call does anything.
void prepareHeadlessForm();
// prepareHeadlessForm, every record at its program-start value, then
// FormCreate: surfaces sized, title shown, maps copied, score 5000.
void showFreshTitle();
// showFreshTitle, then the game the first key press starts: a new game and
// the field drawn and presented.
void startFieldGame();

class GameFixture : public ::testing::Test {
 protected:
  void SetUp() override { startFieldGame(); }
};

// Returns image `index` of `list` drawn on a 64 x 64 surface filled with
// `ground` first, so masked images show their ground where they are clear.
platform::Canvas imageOf(const platform::ImageList& list, int index, uint32_t ground = 0xFF00FF);
// Returns whether the w x h block at (x, y) of `canvas` equals the block at
// (0, 0) of `expected`.
bool blockEquals(const platform::Canvas& canvas, int x, int y, const platform::Canvas& expected,
                 int w, int h);
// Copies the block (x, y, w, h) of a canvas (pixels outside read as 0).
std::vector<uint32_t> blockOf(const platform::Canvas& canvas, int x, int y, int w, int h);
// Whether two canvases hold the same pixels.
bool sameSurface(const platform::Canvas& a, const platform::Canvas& b);
// Counts the pixels of the block darker than mid-grey in every channel (ink).
int inkIn(const platform::Canvas& canvas, int x, int y, int w, int h);
