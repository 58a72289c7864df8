// The window's icon, decoded from the built-in ICON picture.
#include "app/window_icon.h"

#include <cstdint>
#include <vector>

#include "platform/application.h"
#include "platform/media/png_io.h"
#include "platform/resources.h"

namespace {

// Decodes the built-in ICON picture into 0xAARRGGBB pixels, row-major.
// Returns false, leaving the outputs untouched, when it is missing or bad.
bool decodeWindowIcon(std::vector<uint32_t>* argb, int* width, int* height) {
  platform::ResourceStream stream;
  platform::RgbaImage image;
  if (!platform::findResource("ICON", "PNG", &stream) ||
      !platform::decodePng(stream.data, stream.size, &image)) {
    return false;
  }
  argb->resize(size_t(image.width) * image.height);
  for (size_t i = 0; i < argb->size(); ++i) {
    const uint8_t* p = &image.rgba[4 * i];
    (*argb)[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  }
  *width = image.width;
  *height = image.height;
  return true;
}

}  // namespace

bool setGameWindowIcon() {
  std::vector<uint32_t> argb;
  int width = 0;
  int height = 0;
  if (!decodeWindowIcon(&argb, &width, &height)) return false;
  platform::Application.setWindowIcon(argb.data(), width, height);
  return true;
}
