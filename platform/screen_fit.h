// Fitting the game's picture on a whole screen: the largest whole-pixel
// enlargement that fits, centred, the rest of the screen left black.
#pragma once

namespace platform {

struct ScreenFit {
  int scale;  // whole-pixel enlargement, at least 1
  int left;   // where the enlarged picture's top-left lands on the screen;
  int top;    // negative when even scale 1 does not fit (it is then cut)
};

// Returns the fit of a width x height picture on a screenWidth x
// screenHeight screen. `maxScale` caps the enlargement; 0 leaves it free.
ScreenFit fitOnScreen(int width, int height, int screenWidth, int screenHeight, int maxScale);

}  // namespace platform
