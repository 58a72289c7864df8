// The prepared fonts every canvas looks up, and which character each byte of
// text shows. Shared by every font backend, so all of them draw one text alike.
#include "platform/media/font_table.h"

#include <strings.h>

#include <stdexcept>
#include <string>

namespace platform {
namespace {

FontFace preparedFonts[MaxPreparedFonts];
int preparedCount = 0;
uint32_t byteSubstitutes[256];  // 0: no substitute

// Windows-1252 letters at 0x80..0x9F; 0 where the code page has none.
constexpr uint16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

void showByteAs(uint8_t byte, uint32_t codePoint) { byteSubstitutes[byte] = codePoint; }

uint32_t codePointOfByte(uint8_t byte) {
  if (byteSubstitutes[byte] != 0) return byteSubstitutes[byte];
  if (byte < 0x20) return 0;
  if (byte >= 0x80 && byte < 0xA0) return Cp1252High[byte - 0x80];
  return byte;
}

const FontFace* findFont(const char* face, int cellHeight) {
  if (!face) return nullptr;
  for (int i = 0; i < preparedCount; ++i) {
    const FontFace& f = preparedFonts[i];
    if (f.height == cellHeight && strcasecmp(f.face, face) == 0) return &f;
  }
  return nullptr;
}

int preparedFontCount() { return preparedCount; }

const FontFace& preparedFont(int index) { return preparedFonts[index]; }

FontFace* beginPreparing(const char* face, int cellHeight) {
  if (!face || !*face) throw std::runtime_error("font: empty face name");
  if (cellHeight < 1 || cellHeight > 256)
    throw std::runtime_error("font: cell height " + std::to_string(cellHeight) +
                             " out of range for " + face);
  if (findFont(face, cellHeight)) return nullptr;
  if (preparedCount == MaxPreparedFonts) throw std::runtime_error("font: too many prepared fonts");
  preparedFonts[preparedCount] = FontFace{};
  return &preparedFonts[preparedCount];
}

void finishPreparing() { ++preparedCount; }

}  // namespace platform
