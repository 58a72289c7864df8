// Fonts prepared at build time for the browser build, where neither FreeType
// nor fontconfig exists: the glyphs the desktop renders, written out by
// tools/bake_web_assets and compiled in.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/media/font.h"

namespace platform {

struct BakedFont {
  const char* face;
  const char* family;
  int height;
  int ascent;
  const Glyph* glyphs;  // 256, by byte
  const uint8_t* coverage;
  size_t coverageSize;
};

extern const BakedFont bakedFonts[];
extern const int bakedFontCount;

}  // namespace platform
