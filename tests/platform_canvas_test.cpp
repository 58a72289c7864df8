// Canvas tests: fills, copies and pictures against a per-pixel model of the
// clipping, and text probed by pixels: where it lands, its cell box, its
// baseline and its colour. Also that per-key drawing never allocates.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/canvas.h"
#include "platform/font.h"
#include "tests/support/alloc_counter.h"

using platform::Canvas;
using platform::Rect;

namespace {

constexpr uint32_t Red = 0xFF0000;
constexpr uint32_t Blue = 0x0000FF;

bool inside(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

std::string describe(const Rect& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + "}";
}

// A canvas whose every pixel differs, so a copy from the wrong place shows.
void fillPattern(Canvas& c, uint32_t salt) {
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      c.pixels()[y * c.width() + x] = (salt + y * 256 + x) & 0xFFFFFF;
}

int darkPixels(const Canvas& c, const Rect& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      uint32_t p = c.pixel(x, y);
      if (x >= 0 && y >= 0 && x < c.width() && y < c.height() && (p >> 16) < 128 &&
          ((p >> 8) & 0xFF) < 128 && (p & 0xFF) < 128)
        ++n;
    }
  return n;
}

// Pixels of the canvas that are not `ground` outside `box`.
int touchedOutside(const Canvas& c, const Rect& box, uint32_t ground) {
  int n = 0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (!inside(box, x, y) && c.pixel(x, y) != ground) ++n;
  return n;
}

class CanvasText : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform::prepareFont("Tahoma", 16);
    platform::prepareFont("Tahoma", 38);
    platform::prepareFont(platform::DefaultFontFace, 16);
  }
  void SetUp() override { canvas.create(300, 100); }
  Canvas canvas;
};

}  // namespace

TEST(Canvas, CreateIsWhiteAndPixelOutsideIsZero) {
  Canvas c;
  c.create(7, 5);
  EXPECT_EQ(c.width(), 7);
  EXPECT_EQ(c.height(), 5);
  EXPECT_EQ(c.pixel(6, 4), platform::ColorWhite);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {7, 0}, {0, 5}, {100, 100}})
    EXPECT_EQ(c.pixel(x, y), 0u) << x << "," << y;
  Rect clip = c.clipRect();
  EXPECT_EQ(describe(clip), "{0,0,7,5}");
}

TEST(Canvas, FillRectIsClippedToTheSurface) {
  const Rect cases[] = {{2, 1, 5, 4},   {-3, -2, 2, 3}, {6, 4, 20, 20}, {-5, -5, 50, 50},
                        {20, 0, 30, 5}, {4, 3, 2, 1},   {0, 0, 0, 8},   {9, 1, 10, 7},
                        {0, 7, 10, 8},  {3, -9, 4, -1}, {-1, 2, 11, 3}};
  for (const Rect& r : cases) {
    Canvas c;
    c.create(10, 8);
    c.setBrushColor(Red);
    c.fillRect(r);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 10; ++x)
        ASSERT_EQ(c.pixel(x, y), inside(r, x, y) ? Red : platform::ColorWhite)
            << describe(r) << " at " << x << "," << y;
  }
}

TEST(Canvas, ClearBrushFillsNothing) {
  Canvas c;
  c.create(4, 4);
  c.setBrushColor(Red);
  c.setBrushStyle(platform::BrushClear);
  c.fillRect(Rect{0, 0, 4, 4});
  EXPECT_EQ(touchedOutside(c, Rect{0, 0, 0, 0}, platform::ColorWhite), 0);
}

TEST(Canvas, CopyRectMatchesModelAcrossClipping) {
  struct Case {
    Rect dst, src;
  };
  const Case cases[] = {
      {{0, 0, 12, 9}, {0, 0, 12, 9}},    {{3, 2, 8, 6}, {0, 0, 5, 4}},
      {{-2, -3, 5, 4}, {1, 1, 8, 8}},    {{8, 6, 20, 20}, {0, 0, 12, 14}},
      {{0, 0, 6, 6}, {-3, -2, 3, 4}},    {{1, 1, 9, 9}, {10, 7, 18, 15}},
      {{0, 0, 10, 3}, {0, 0, 4, 3}},     {{5, 5, 5, 9}, {0, 0, 0, 4}},
      {{0, 0, 12, 9}, {20, 20, 32, 29}}, {{-20, 0, -8, 9}, {0, 0, 12, 9}},
  };
  for (const Case& k : cases) {
    Canvas src, dst;
    src.create(15, 11);
    dst.create(12, 9);
    fillPattern(src, 0x100000);
    fillPattern(dst, 0x300000);
    Canvas before = dst;
    dst.copyRect(k.dst, src, k.src);
    int w = std::min(k.dst.right - k.dst.left, k.src.right - k.src.left);
    int h = std::min(k.dst.bottom - k.dst.top, k.src.bottom - k.src.top);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 12; ++x) {
        int i = x - k.dst.left, j = y - k.dst.top;
        int sx = k.src.left + i, sy = k.src.top + j;
        bool copied =
            i >= 0 && j >= 0 && i < w && j < h && sx >= 0 && sy >= 0 && sx < 15 && sy < 11;
        ASSERT_EQ(dst.pixel(x, y), copied ? src.pixel(sx, sy) : before.pixel(x, y))
            << describe(k.dst) << " from " << describe(k.src) << " at " << x << "," << y;
      }
  }
}

TEST(Canvas, CopyRectWithinOneCanvasReadsBeforeWriting) {
  const std::pair<Rect, Rect> moves[] = {
      {{2, 3, 10, 9}, {0, 0, 8, 6}},   // down and right, overlapping
      {{0, 0, 8, 6}, {2, 3, 10, 9}},   // up and left
      {{0, 1, 10, 9}, {0, 0, 10, 8}},  // one row down
      {{1, 0, 10, 9}, {0, 0, 9, 9}},   // one column right
  };
  for (const auto& [dstRect, srcRect] : moves) {
    Canvas c;
    c.create(10, 9);
    fillPattern(c, 0x050000);
    Canvas original = c;
    c.copyRect(dstRect, c, srcRect);
    for (int y = dstRect.top; y < dstRect.bottom; ++y)
      for (int x = dstRect.left; x < dstRect.right; ++x)
        ASSERT_EQ(c.pixel(x, y),
                  original.pixel(srcRect.left + x - dstRect.left, srcRect.top + y - dstRect.top))
            << describe(dstRect) << " at " << x << "," << y;
  }
}

TEST(Canvas, DrawPictureIsOpaqueAndClipped) {
  platform::Picture picture;
  picture.width = 5;
  picture.height = 4;
  for (int i = 0; i < 20; ++i) picture.pixels.push_back(0xFF000000u | uint32_t(0x010203 * (i + 1)));
  for (auto [px, py] : {std::pair{1, 1}, {-2, -1}, {6, 5}, {-5, 0}, {9, 9}}) {
    Canvas c;
    c.create(9, 7);
    c.draw(px, py, picture);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) {
        bool covered = x >= px && y >= py && x < px + 5 && y < py + 4;
        uint32_t expected =
            covered ? picture.pixels[(y - py) * 5 + (x - px)] & 0xFFFFFF : platform::ColorWhite;
        ASSERT_EQ(c.pixel(x, y), expected) << px << "," << py << " at " << x << "," << y;
      }
  }
  platform::Picture broken;
  broken.width = 5;
  broken.height = 5;  // no pixels behind the size
  Canvas c;
  c.create(9, 7);
  c.draw(0, 0, broken);
  EXPECT_EQ(touchedOutside(c, Rect{0, 0, 0, 0}, platform::ColorWhite), 0);
}

TEST_F(CanvasText, FontSelectionKeepsTheFontWhenThePairIsUnprepared) {
  EXPECT_STREQ(canvas.fontFace(), platform::DefaultFontFace);
  EXPECT_EQ(canvas.fontHeight(), 0);
  EXPECT_TRUE(canvas.setFontHeight(16));  // the default face at 16
  EXPECT_STREQ(canvas.fontFace(), platform::DefaultFontFace);
  EXPECT_TRUE(canvas.setFont("tahoma", 38));
  EXPECT_STREQ(canvas.fontFace(), "Tahoma");
  EXPECT_EQ(canvas.fontHeight(), 38);
  EXPECT_FALSE(canvas.setFont("Tahoma", 17));
  EXPECT_FALSE(canvas.setFont(nullptr, 16));
  EXPECT_EQ(canvas.fontHeight(), 38);
  EXPECT_TRUE(canvas.setFontHeight(16));
  EXPECT_STREQ(canvas.fontFace(), "Tahoma");
  EXPECT_EQ(canvas.fontHeight(), 16);
  EXPECT_FALSE(canvas.setFontHeight(99));
  EXPECT_EQ(canvas.fontHeight(), 16);
}

TEST_F(CanvasText, SolidBrushFillsExactlyTheCellBox) {
  for (int height : {16, 38}) {
    canvas.create(300, 100);
    ASSERT_TRUE(canvas.setFont("Tahoma", height));
    canvas.setBrushColor(Red);
    const char* text = "Hgjy|W";
    int width = canvas.textWidth(text, 6);
    ASSERT_GT(width, 0);
    canvas.textOut(10, 20, text);
    Rect box{10, 20, 10 + width, 20 + height};
    EXPECT_EQ(touchedOutside(canvas, box, platform::ColorWhite), 0) << height;
    EXPECT_EQ(canvas.pixel(10, 20), Red);
    EXPECT_EQ(canvas.pixel(9 + width, 19 + height), Red);
    EXPECT_GT(darkPixels(canvas, box), 0);
  }
}

TEST_F(CanvasText, ClearBrushDrawsOnlyGlyphsInsideTheBox) {
  canvas.setBrushColor(Blue);
  canvas.fillRect(canvas.clipRect());
  canvas.setBrushStyle(platform::BrushClear);
  ASSERT_TRUE(canvas.setFont("Tahoma", 38));
  canvas.textOut(40, 30, "Ag@");
  Rect box{40, 30, 40 + canvas.textWidth("Ag@", 3), 68};
  EXPECT_EQ(touchedOutside(canvas, box, Blue), 0);
  EXPECT_GT(darkPixels(canvas, box), 40);
  int untouched = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) untouched += canvas.pixel(x, y) == Blue;
  EXPECT_GT(untouched, (box.right - box.left) * 38 / 2);
}

TEST_F(CanvasText, TextIsBlackWithGreyEdgesOnWhite) {
  ASSERT_TRUE(canvas.setFont("Tahoma", 38));
  canvas.setBrushStyle(platform::BrushClear);
  canvas.textOut(0, 0, "M");
  uint32_t darkest = 0xFF;
  for (int y = 0; y < 38; ++y)
    for (int x = 0; x < 40; ++x) {
      uint32_t p = canvas.pixel(x, y);
      uint32_t r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
      ASSERT_TRUE(r == g && g == b) << "not grey at " << x << "," << y;
      darkest = std::min(darkest, r);
    }
  EXPECT_EQ(darkest, 0u);
}

TEST_F(CanvasText, CellHeightAndBaselineAreHonoured) {
  for (int height : {16, 38}) {
    const platform::FontFace* font = platform::findFont("Tahoma", height);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->height, height);
    EXPECT_GT(font->ascent, height / 2);
    EXPECT_LT(font->ascent, height);
    // "H" sits on the baseline: ink in the row above it, none two rows below.
    canvas.create(100, 100);
    canvas.setBrushStyle(platform::BrushClear);
    ASSERT_TRUE(canvas.setFont("Tahoma", height));
    canvas.textOut(5, 10, "H");
    int w = canvas.textWidth("H", 1);
    int baseline = 10 + font->ascent;
    EXPECT_GT(darkPixels(canvas, Rect{5, baseline - 1, 5 + w, baseline}), 0) << height;
    EXPECT_EQ(darkPixels(canvas, Rect{0, baseline + 1, 100, 100}), 0) << height;
    // Its capital height is most of the ascent, so the face is not shrunk.
    int top = baseline;
    while (top > 10 && darkPixels(canvas, Rect{5, top - 1, 5 + w, top}) > 0) --top;
    EXPECT_GE(baseline - top, height * 55 / 100) << height;
    // "g" reaches below the baseline, into the descent.
    canvas.create(100, 100);
    canvas.setBrushStyle(platform::BrushClear);
    canvas.textOut(5, 10, "g");
    EXPECT_GT(darkPixels(canvas, Rect{0, baseline + 1, 100, 10 + height}), 0) << height;
  }
}

TEST_F(CanvasText, WidthIsTheSumOfAdvances) {
  ASSERT_TRUE(canvas.setFont("Tahoma", 16));
  const char* text = "SELECT * FROM world";
  int sum = 0;
  for (size_t i = 0; i < std::strlen(text); ++i) sum += canvas.textWidth(text + i, 1);
  EXPECT_EQ(canvas.textWidth(text, int(std::strlen(text))), sum);
  EXPECT_EQ(canvas.textWidth(text, 0), 0);
  EXPECT_LT(canvas.textWidth("i", 1), canvas.textWidth("W", 1));
}

TEST_F(CanvasText, EveryByteIsSafeAndHighBytesAreWindows1252) {
  ASSERT_TRUE(canvas.setFont("Tahoma", 38));
  // The game may have given 0x80 and 0x7F signs of its own; take them back
  // for this test (glyphs prepared earlier keep what they were made with).
  platform::showByteAs(0x80, 0);
  platform::showByteAs(0x7F, 0);
  EXPECT_EQ(platform::codePointOfByte(0x80), 0x20ACu);
  EXPECT_EQ(platform::codePointOfByte(0x81), 0u);
  EXPECT_EQ(platform::codePointOfByte(0xE9), 0xE9u);
  EXPECT_EQ(platform::codePointOfByte(0x41), 0x41u);
  EXPECT_EQ(platform::codePointOfByte(0x0A), 0u);
  // The euro sign shows; bytes without a character draw nothing.
  canvas.textOut(0, 0, "\x80", 1);
  EXPECT_GT(darkPixels(canvas, Rect{0, 0, 60, 38}), 10);
  canvas.create(300, 100);
  canvas.textOut(0, 0, "\x81\x8D\x01", 3);
  EXPECT_EQ(darkPixels(canvas, canvas.clipRect()), 0);
  platform::showByteAs(0x7F, 0x23CE);
  EXPECT_EQ(platform::codePointOfByte(0x7F), 0x23CEu);
  EXPECT_EQ(platform::codePointOfByte(0x7E), 0x7Eu);
  platform::showByteAs(0x7F, 0);
  // All 256 bytes, hanging off every edge of a small canvas.
  char all[256];
  for (int i = 0; i < 256; ++i) all[i] = char(i);
  Canvas small;
  small.create(20, 20);
  for (auto [x, y] : {std::pair{-30, -20}, {-1000, 5}, {15, 15}, {0, -37}, {5, 19}}) {
    small.textOut(x, y, all, 256);
    small.textOut(x, y, all + 128, 128);
  }
  EXPECT_GT(canvas.textWidth(all, 256), 0);
}

TEST_F(CanvasText, PerKeyDrawingDoesNotAllocate) {
  Canvas other;
  other.create(300, 100);
  platform::Picture picture;
  picture.width = picture.height = 8;
  picture.pixels.assign(64, Red);
  AllocationCounter counter;
  canvas.setFont("Tahoma", 38);
  canvas.setFontHeight(16);
  canvas.setBrushStyle(platform::BrushSolid);
  canvas.fillRect(Rect{0, 0, 300, 16});
  canvas.textOut(3, 0, "UPDATE world SET x = 3");
  canvas.setBrushStyle(platform::BrushClear);
  canvas.textOut(-10, -4, "\x80\x7F", 2);
  other.copyRect(other.clipRect(), canvas, canvas.clipRect());
  canvas.draw(4, 4, picture);
  EXPECT_EQ(counter.count(), 0);
}

TEST(Fonts, PreparingIsIdempotentAndRefusesImpossibleRequests) {
  platform::prepareFont("Tahoma", 16);
  const platform::FontFace* first = platform::findFont("Tahoma", 16);
  platform::prepareFont("TAHOMA", 16);
  EXPECT_EQ(platform::findFont("Tahoma", 16), first);
  EXPECT_EQ(platform::findFont("Tahoma", 15), nullptr);
  EXPECT_THROW(platform::prepareFont("Tahoma", 0), std::runtime_error);
  EXPECT_THROW(platform::prepareFont("Tahoma", 257), std::runtime_error);
  EXPECT_THROW(platform::prepareFont("", 16), std::runtime_error);
  EXPECT_THROW(platform::prepareFont(nullptr, 16), std::runtime_error);
}

TEST_F(CanvasText, EachGlyphStaysInsideItsCell) {
  // Some faces reach past the cell (accents above capitals, a wide
  // underscore); what lies outside is cut so no stray ink is left behind.
  for (int height : {16, 38}) {
    ASSERT_TRUE(canvas.setFont("Tahoma", height));
    canvas.setBrushStyle(platform::BrushClear);
    for (int byte = 0x20; byte < 0x100; ++byte) {
      char text[1] = {char(byte)};
      canvas.create(120, 100);
      canvas.textOut(30, 30, text, 1);
      Rect box{30, 30, 30 + canvas.textWidth(text, 1), 30 + height};
      ASSERT_EQ(touchedOutside(canvas, box, platform::ColorWhite), 0)
          << "byte " << byte << " at height " << height;
    }
  }
}
