// Font rendering on the desktop, in the native module: fontconfig resolves a
// face name to a font file and FreeType renders every byte's glyph once at
// the requested Windows-style cell height, for the table of prepared fonts.
#include "platform/media/font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>

#include "platform/native.h"
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace platform::native {
namespace {

FT_Library freeType = nullptr;
bool fontconfigUp = false;

// The font file and face index fontconfig picks for `name`.
struct FontFile {
  std::string path;
  int index = 0;
  std::string family;
};

bool resolveFace(const char* name, FontFile* out) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
  if (!pattern) return false;
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* file = nullptr;
  bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
  if (found) {
    out->path = reinterpret_cast<const char*>(file);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &out->index) != FcResultMatch) out->index = 0;
    FcChar8* family = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family)
      out->family = reinterpret_cast<const char*>(family);
  }
  FcPatternDestroy(match);
  return found;
}

// Windows sizes a font by its cell: the win ascent and descent of the OS/2
// table, falling back to the horizontal header for faces without one.
void designCell(FT_Face face, long* ascent, long* descent) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    *ascent = os2->usWinAscent;
    *descent = os2->usWinDescent;
  } else {
    *ascent = face->ascender;
    *descent = -face->descender;
  }
  if (*ascent + *descent <= 0) {
    *ascent = face->units_per_EM * 4 / 5;
    *descent = face->units_per_EM - *ascent;
  }
}

// Sets the face's size so that the cell is `height` pixels; returns the
// ascent in pixels.
int sizeFace(FT_Face face, int height) {
  if (FT_IS_SCALABLE(face)) {
    long ascent = 0, descent = 0;
    designCell(face, &ascent, &descent);
    double ppem = double(height) * face->units_per_EM / double(ascent + descent);
    FT_F26Dot6 size = FT_F26Dot6(std::lround(ppem * 64.0));
    if (FT_Set_Char_Size(face, 0, size, 72, 72) != 0) throw std::runtime_error("font: bad size");
    return int(std::lround(double(height) * ascent / double(ascent + descent)));
  }
  // A bitmap-only face: the strike nearest the height, its ascent as given.
  int best = 0;
  for (int i = 1; i < face->num_fixed_sizes; ++i) {
    if (std::abs(face->available_sizes[i].height - height) <
        std::abs(face->available_sizes[best].height - height))
      best = i;
  }
  if (face->num_fixed_sizes == 0 || FT_Select_Size(face, best) != 0)
    throw std::runtime_error("font: no usable size");
  int ascent = int(face->size->metrics.ascender >> 6);
  return ascent < 0 ? 0 : (ascent > height ? height : ascent);
}

// Renders glyph `index` into the face's coverage store.
void renderGlyph(FT_Face face, FT_UInt index, int ascent, FontFace* out, Glyph* glyph) {
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) return;
  FT_GlyphSlot slot = face->glyph;
  glyph->advance = int16_t((slot->advance.x + 32) >> 6);
  if (index == 0) return;  // the missing-glyph box is not drawn, only advanced by
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return;
  glyph->left = int16_t(slot->bitmap_left);
  glyph->top = int16_t(ascent - slot->bitmap_top);
  glyph->width = uint16_t(bitmap.width);
  glyph->rows = uint16_t(bitmap.rows);
  glyph->offset = uint32_t(out->coverage.size());
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* src = bitmap.buffer + long(row) * bitmap.pitch;
    for (unsigned col = 0; col < bitmap.width; ++col) {
      uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY
                          ? uint8_t(src[col] * 255 / (bitmap.num_grays - 1))
                      : ((src[col >> 3] >> (7 - (col & 7))) & 1) ? 255
                                                                 : 0;
      out->coverage.push_back(value);
    }
  }
}

void copyName(char (&dst)[64], const char* src) { std::snprintf(dst, sizeof dst, "%s", src); }

// Brings up fontconfig and FreeType when the first font is prepared; calling
// it again does nothing. Throws std::runtime_error when either cannot start.
void initFonts() {
  static bool cleanupRegistered = false;
  if (!cleanupRegistered) {
    // fontconfig keeps its configuration until told to let go; without this
    // every run would end with it still held.
    std::atexit(closeFonts);
    cleanupRegistered = true;
  }
  if (!fontconfigUp) {
    if (!FcInit()) throw std::runtime_error("fontconfig could not start");
    fontconfigUp = true;
  }
  if (!freeType && FT_Init_FreeType(&freeType) != 0) {
    freeType = nullptr;
    throw std::runtime_error("FreeType could not start");
  }
}

}  // namespace

void closeFonts() {
  if (freeType) FT_Done_FreeType(freeType);
  freeType = nullptr;
  if (fontconfigUp) FcFini();
  fontconfigUp = false;
}

void renderFont(const char* face, int cellHeight, const uint32_t* codePoints, FontFace* slot) {
  initFonts();

  FontFile file;
  if (!resolveFace(face, &file)) throw std::runtime_error(std::string("no font found for ") + face);
  FT_Face ftFace = nullptr;
  if (FT_New_Face(freeType, file.path.c_str(), file.index, &ftFace) != 0)
    throw std::runtime_error("font: cannot open " + file.path);

  FontFace& out = *slot;
  try {
    out.ascent = sizeFace(ftFace, cellHeight);
  } catch (...) {
    FT_Done_Face(ftFace);
    throw;
  }
  copyName(out.face, face);
  copyName(out.family, file.family.c_str());
  out.height = cellHeight;
  FT_Select_Charmap(ftFace, FT_ENCODING_UNICODE);

  Glyph missing;
  renderGlyph(ftFace, 0, out.ascent, &out, &missing);
  for (int byte = 0; byte < 256; ++byte) {
    uint32_t code = codePoints[byte];
    FT_UInt index = code ? FT_Get_Char_Index(ftFace, code) : 0;
    if (index == 0) {
      out.glyphs[byte] = missing;
      continue;
    }
    renderGlyph(ftFace, index, out.ascent, &out, &out.glyphs[byte]);
  }
  FT_Done_Face(ftFace);
}

}  // namespace platform::native
