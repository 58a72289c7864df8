// The run-length code of prepared pictures. Pictures here are drawn art with
// large plain areas, so runs of equal pixels carry most of the saving.
#include "platform/web/pixel_pack.h"

#include <cstring>

namespace platform {
namespace {

constexpr uint8_t Magic[4] = {'V', 'P', 'I', 'X'};
constexpr size_t HeaderSize = 12;
constexpr int MaxLiteral = 128;  // control 0..127
constexpr int MinRun = 2;        // control 128..255: runs of 2..129
constexpr int MaxRun = 129;
constexpr uint32_t MaxSide = 8192;

void putWord(std::vector<uint8_t>* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out->push_back(uint8_t(value >> (8 * i)));
}

uint32_t getWord(const uint8_t* at) {
  return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

bool samePixel(const uint8_t* a, const uint8_t* b) { return std::memcmp(a, b, 4) == 0; }

}  // namespace

std::vector<uint8_t> packPixels(const RgbaImage& image) {
  std::vector<uint8_t> out(Magic, Magic + 4);
  putWord(&out, uint32_t(image.width));
  putWord(&out, uint32_t(image.height));
  const size_t count = size_t(image.width) * size_t(image.height);
  const uint8_t* px = image.rgba.data();
  size_t i = 0;
  while (i < count) {
    size_t run = 1;
    while (i + run < count && run < MaxRun && samePixel(px + 4 * i, px + 4 * (i + run))) ++run;
    if (run >= MinRun) {
      out.push_back(uint8_t(128 + run - MinRun));
      out.insert(out.end(), px + 4 * i, px + 4 * i + 4);
      i += run;
      continue;
    }
    // Literals up to the next pair of equal pixels.
    size_t literal = 1;
    while (
        i + literal < count && literal < MaxLiteral &&
        !(i + literal + 1 < count && samePixel(px + 4 * (i + literal), px + 4 * (i + literal + 1))))
      ++literal;
    out.push_back(uint8_t(literal - 1));
    out.insert(out.end(), px + 4 * i, px + 4 * (i + literal));
    i += literal;
  }
  return out;
}

bool unpackPixels(const uint8_t* data, size_t size, RgbaImage* out) {
  *out = RgbaImage{};
  if (!data || size < HeaderSize || std::memcmp(data, Magic, 4) != 0) return false;
  const uint32_t width = getWord(data + 4), height = getWord(data + 8);
  if (width == 0 || height == 0 || width > MaxSide || height > MaxSide) return false;
  std::vector<uint8_t> rgba(size_t(width) * height * 4);
  size_t at = HeaderSize, filled = 0;
  while (filled < rgba.size()) {
    if (at >= size) return false;
    const uint8_t control = data[at++];
    const bool run = control >= 128;
    const size_t pixels = run ? control - 128 + MinRun : control + 1u;
    const size_t stored = run ? 4 : 4 * pixels;
    if (size - at < stored || rgba.size() - filled < 4 * pixels) return false;
    for (size_t p = 0; p < pixels; ++p) {
      std::memcpy(rgba.data() + filled + 4 * p, data + at + (run ? 0 : 4 * p), 4);
    }
    at += stored;
    filled += 4 * pixels;
  }
  if (at != size) return false;
  out->width = int(width);
  out->height = int(height);
  out->rgba = std::move(rgba);
  return true;
}

}  // namespace platform
