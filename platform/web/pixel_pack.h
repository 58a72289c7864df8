// Prepared pictures: decoded RGBA pixels packed with a run-length code, as
// the build-time baker writes them and the browser build unpacks them in
// place of PNG and JPEG files, which it has no decoder for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/media/png_io.h"

namespace platform {

// Packs `image` as "VPIX", width and height (4 bytes each, little-endian),
// then runs of pixels: a control byte c below 128 is followed by c + 1 pixels
// as they are, c from 128 by one pixel repeated c - 126 times.
std::vector<uint8_t> packPixels(const RgbaImage& image);

// Unpacks what packPixels made. Returns false, leaving `out` empty, when the
// data is anything else or is cut short.
bool unpackPixels(const uint8_t* data, size_t size, RgbaImage* out);

}  // namespace platform
