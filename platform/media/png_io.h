// PNG reading (the tile and sprite sheets) and encoding (screenshots), by the
// native module (native.h): each call loads it first and throws
// std::runtime_error when it cannot be loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/canvas.h"

namespace platform {

// A decoded image, 4 bytes a pixel in the order R, G, B, A, row-major.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};

// Decodes the PNG of `size` bytes at `data` (any colour type, converted to
// RGBA). Returns false, leaving `out` empty, when it is not a readable PNG or
// larger than 8192 pixels a side. Start-up only: allocates the image.
bool decodePng(const uint8_t* data, size_t size, RgbaImage* out);

// Encodes `rect` of the canvas, clipped to it, as an RGB PNG into *png.
// Returns false when nothing is left after clipping or libpng fails. (The
// file is written by writeFileAtomically, never by libpng itself.)
bool encodePng(const Canvas& canvas, const Rect& rect, std::vector<uint8_t>* png);

}  // namespace platform
