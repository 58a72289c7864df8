// Fonts in the browser: the glyphs baked at build time by the desktop's own
// FreeType preparation, copied into the table of prepared fonts at start-up.
#include "platform/web/baked_fonts.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/media/font_table.h"

namespace platform {

void shutdownFonts() {}

void prepareFont(const char* face, int cellHeight) {
  FontFace* slot = beginPreparing(face, cellHeight);
  if (!slot) return;
  const BakedFont* baked = nullptr;
  for (int i = 0; i < bakedFontCount; ++i) {
    if (bakedFonts[i].height == cellHeight && std::string(bakedFonts[i].face) == face)
      baked = &bakedFonts[i];
  }
  if (!baked)
    throw std::runtime_error(std::string("no font was prepared at build time for ") + face + " " +
                             std::to_string(cellHeight));
  std::snprintf(slot->face, sizeof slot->face, "%s", baked->face);
  std::snprintf(slot->family, sizeof slot->family, "%s", baked->family);
  slot->height = baked->height;
  slot->ascent = baked->ascent;
  for (int b = 0; b < 256; ++b) slot->glyphs[b] = baked->glyphs[b];
  slot->coverage.assign(baked->coverage, baked->coverage + baked->coverageSize);
  finishPreparing();
}

}  // namespace platform
