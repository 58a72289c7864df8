// Pictures in the browser: the resource table holds the pixels the desktop's
// decoders produced at build time, packed, so "decoding" is unpacking them.
#include "platform/media/jpeg_decode.h"
#include "platform/media/png_io.h"
#include "platform/web/pixel_pack.h"

namespace platform {

bool decodePng(const uint8_t* data, size_t size, RgbaImage* out) {
  return unpackPixels(data, size, out);
}

bool decodeJpeg(const ResourceStream& stream, Picture* out) {
  *out = Picture{};
  RgbaImage image;
  if (!unpackPixels(stream.data, stream.size, &image)) return false;
  out->width = image.width;
  out->height = image.height;
  out->pixels.resize(size_t(image.width) * size_t(image.height));
  for (size_t i = 0; i < out->pixels.size(); ++i) {
    const uint8_t* p = image.rgba.data() + 4 * i;
    out->pixels[i] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  }
  return true;
}

// The page has no files to write; a script's screenshot answers that it
// cannot write one, and the browser test reads the frame from the page.
bool encodePng(const Canvas&, const Rect&, std::vector<uint8_t>*) { return false; }

}  // namespace platform
