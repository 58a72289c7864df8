// A list of 64 x 64 images drawn by index, opaque or through a mask.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/canvas.h"

namespace platform {

constexpr int ImageSide = 64;

class ImageList {
 public:
  // Loads the images from a PNG sheet resource laid out as `count` images of
  // 64 x 64 side by side (width 64*count). With `masked`, pixels whose alpha
  // is below 128 are transparent; otherwise every pixel is drawn. Start-up
  // only; throws std::runtime_error when the resource is missing or bad.
  void load(const char* resourceName, int count, bool masked);

  // Draws image `index` with its top-left at (x, y), clipped to the canvas.
  // An index outside the list (any index of a list not loaded) or an empty
  // canvas draws nothing, without a call: a headless replay meets these on
  // every key.
  void draw(Canvas& canvas, int x, int y, int index) const {
    if (index >= 0 && index < count_ && canvas.width() > 0) drawClipped(canvas, x, y, index);
  }

 private:
  int count_ = 0;
  bool masked_ = false;
  std::vector<uint32_t> pixels_;  // count * 64 * 64, 0x00RRGGBB
  std::vector<uint8_t> mask_;     // 1 = drawn

  void drawClipped(Canvas& canvas, int x, int y, int index) const;
};

}  // namespace platform
