// PNG reading and writing through libpng's simplified interface, which does
// its own error recovery and reports failure by return value. In the native
// module.
#include "platform/media/png_io.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "platform/native.h"

namespace platform {
namespace {
constexpr png_uint_32 MaxSide = 8192;
}

bool native::decodePng(const uint8_t* data, size_t size, RgbaImage* out) {
  *out = RgbaImage{};
  if (!data || size == 0) return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return false;
  if (image.width == 0 || image.height == 0 || image.width > MaxSide || image.height > MaxSide) {
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  out->width = int(image.width);
  out->height = int(image.height);
  out->rgba = std::move(pixels);
  return true;
}

bool native::encodePng(const Canvas& canvas, const Rect& rect, std::vector<uint8_t>* png) {
  int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
  int right = std::min(rect.right, canvas.width()), bottom = std::min(rect.bottom, canvas.height());
  if (right <= left || bottom <= top) return false;
  int width = right - left, height = bottom - top;
  std::vector<uint8_t> rgb(size_t(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = canvas.pixels() + size_t(top + y) * canvas.width() + left;
    uint8_t* dst = rgb.data() + size_t(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      dst[3 * x] = uint8_t(src[x] >> 16);
      dst[3 * x + 1] = uint8_t(src[x] >> 8);
      dst[3 * x + 2] = uint8_t(src[x]);
    }
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = PNG_FORMAT_RGB;
  // Asked once for the size, then written into a buffer of that size.
  png_alloc_size_t size = 0;
  bool ok = png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr) != 0;
  if (ok) {
    png->resize(size);
    ok = png_image_write_to_memory(&image, png->data(), &size, 0, rgb.data(), 0, nullptr) != 0;
    png->resize(size);
  }
  png_image_free(&image);
  return ok;
}

}  // namespace platform
