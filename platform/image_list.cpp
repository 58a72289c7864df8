// Image lists: a PNG sheet cut into 64 x 64 images at start-up, each kept as
// its own block of rows so that drawing one is a clipped row copy.
#include "platform/image_list.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/media/png_io.h"
#include "platform/resources.h"

namespace platform {
namespace {
constexpr int ImagePixels = ImageSide * ImageSide;
}

void ImageList::load(const char* resourceName, int count, bool masked) {
  std::string name = resourceName ? resourceName : "";
  if (count <= 0) throw std::runtime_error("image list " + name + ": no images");
  ResourceStream stream;
  if (!findResource(resourceName, "PNG", &stream))
    throw std::runtime_error("resource " + name + " (PNG) is missing");
  RgbaImage sheet;
  if (!decodePng(stream.data, stream.size, &sheet))
    throw std::runtime_error("resource " + name + " is not a readable PNG");
  if (sheet.width != ImageSide * count || sheet.height != ImageSide)
    throw std::runtime_error("resource " + name + " is " + std::to_string(sheet.width) + " x " +
                             std::to_string(sheet.height) + ", expected " +
                             std::to_string(ImageSide * count) + " x " + std::to_string(ImageSide));

  std::vector<uint32_t> pixels(size_t(count) * ImagePixels);
  std::vector<uint8_t> mask(masked ? pixels.size() : 0);
  for (int index = 0; index < count; ++index) {
    for (int y = 0; y < ImageSide; ++y) {
      for (int x = 0; x < ImageSide; ++x) {
        const uint8_t* p =
            sheet.rgba.data() + (size_t(y) * sheet.width + index * ImageSide + x) * 4;
        size_t at = size_t(index) * ImagePixels + y * ImageSide + x;
        pixels[at] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        if (masked) mask[at] = p[3] >= 128 ? 1 : 0;
      }
    }
  }
  pixels_ = std::move(pixels);
  mask_ = std::move(mask);
  count_ = count;
  masked_ = masked;
}

void ImageList::drawClipped(Canvas& canvas, int x, int y, int index) const {
  int left = std::max(x, 0), top = std::max(y, 0);
  int right = std::min(x + ImageSide, canvas.width());
  int bottom = std::min(y + ImageSide, canvas.height());
  if (right <= left || bottom <= top) return;
  const size_t base = size_t(index) * ImagePixels;
  for (int py = top; py < bottom; ++py) {
    size_t from = base + size_t(py - y) * ImageSide + (left - x);
    const uint32_t* src = pixels_.data() + from;
    uint32_t* dst = canvas.pixels() + size_t(py) * canvas.width() + left;
    if (!masked_) {
      std::copy(src, src + (right - left), dst);
      continue;
    }
    const uint8_t* drawn = mask_.data() + from;
    for (int i = 0; i < right - left; ++i) {
      if (drawn[i]) dst[i] = src[i];
    }
  }
}

}  // namespace platform
