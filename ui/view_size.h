// The size of what the player sees, defined once: 9 x 7 tiles of 64 pixels
// under the 16-pixel status strip, 576 x 464. The window, the page's canvas,
// screenshots and the benchmarks' yardstick all take their size from here.
#pragma once

#include "platform/system_metrics.h"

constexpr int ViewCols = 9;      // tiles across
constexpr int ViewRows = 7;      // tiles down, under the strip
constexpr int TileSide = 64;     // a tile's side in pixels
constexpr int StripHeight = 16;  // the status strip, and its text's cell height

// The client area the player sees.
constexpr int ViewWidth = ViewCols * TileSide;
constexpr int ViewHeight = StripHeight + ViewRows * TileSide;

// The window's outer size, which the form's surfaces take as theirs.
struct FormSize {
  int width;
  int height;
};
// Returns the outer size from the system metrics: the view plus the frame on
// each side and the caption (584 x 491).
constexpr FormSize formOuterSize() {
  using platform::getSystemMetrics;
  return FormSize{
      ViewWidth + 2 * getSystemMetrics(platform::SM_CXFRAME),
      ViewHeight + getSystemMetrics(platform::SM_CYCAPTION) +
          2 * getSystemMetrics(platform::SM_CYFRAME),
  };
}
