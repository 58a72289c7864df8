// Prepared fonts: glyph coverage of one face at one cell height, rendered once
// at start-up with FreeType from the face fontconfig picks for a name (in the
// native module, native.h), and a small fixed table that canvases look fonts
// up in without allocating.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// The default user-interface face: what a canvas draws with before the game
// picks a face of its own.
constexpr const char* DefaultFontFace = "sans-serif";

// How many (face, height) pairs can be prepared in one run.
constexpr int MaxPreparedFonts = 8;

// One byte's glyph: an 8-bit coverage bitmap placed relative to the pen.
struct Glyph {
  int16_t left = 0;    // bitmap's left edge, pixels right of the pen
  int16_t top = 0;     // bitmap's top edge, pixels below the cell's top
  uint16_t width = 0;  // bitmap size; 0 x 0 for a byte the face lacks
  uint16_t rows = 0;
  int16_t advance = 0;  // pen movement in pixels
  uint32_t offset = 0;  // first coverage byte in FontFace::coverage
};

// A face at one cell height. The cell is `height` pixels tall: `ascent`
// pixels above the baseline and height - ascent below it.
struct FontFace {
  char face[64] = {};    // the name the game asked for ("Tahoma")
  char family[64] = {};  // the family fontconfig chose for it
  int height = 0;
  int ascent = 0;
  Glyph glyphs[256];  // by byte, bytes 0x80..0xFF read as Windows-1252
  std::vector<uint8_t> coverage;
};

// Renders the glyphs of bytes 0x20..0xFF for `face` at cell height
// `cellHeight` (ascent plus descent in pixels) and registers the pair; a pair
// already prepared is left as it is. The first call loads the native module
// and brings up fontconfig and FreeType. Start-up only. Throws
// std::runtime_error when the module cannot be loaded or either library cannot
// start, when no face can be found, the height is outside 1..256 or the table
// of prepared fonts is full.
void prepareFont(const char* face, int cellHeight);

// Returns the prepared pair (face names compared ignoring case), or nullptr.
// Does not allocate.
const FontFace* findFont(const char* face, int cellHeight);

// The prepared fonts in the order they were prepared, index 0 to count - 1.
int preparedFontCount();
const FontFace& preparedFont(int index);

// Releases FreeType and fontconfig (also done at exit). Prepared glyphs stay
// usable.
void shutdownFonts();

// Maps a byte of text to the code point it shows: Latin-1 with the
// Windows-1252 letters at 0x80..0x9F; 0 for a byte with no character.
// The game's own substitutions (see showByteAs) apply first.
uint32_t codePointOfByte(uint8_t byte);

// From now on, fonts prepared afterwards show `byte` as the character
// `codePoint` (0 restores the code page's character). Start-up only.
void showByteAs(uint8_t byte, uint32_t codePoint);

}  // namespace platform
