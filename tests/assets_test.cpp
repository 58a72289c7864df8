// The embedded pictures: the resource table and its file headers, then the
// tile and sprite sheets decoded and probed at known pixels (wall pieces open
// onto floor on the right sides, the sprites' masks, the cursor rings).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/jpeg_decode.h"
#include "platform/png_io.h"
#include "platform/resources.h"

namespace {

constexpr int Side = 64;

uint32_t bigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

const platform::ResourceEntry* entryNamed(const char* name) {
  for (size_t i = 0; i < platform::resourceCount; ++i) {
    if (std::strcmp(platform::resourceTable[i].name, name) == 0) return &platform::resourceTable[i];
  }
  return nullptr;
}

// Width and height of the first baseline frame (SOF0) of a JPEG, or 0, 0.
void jpegFrameSize(const uint8_t* data, size_t size, int* width, int* height) {
  *width = *height = 0;
  size_t at = 2;  // past the start-of-image marker
  while (at + 4 <= size && data[at] == 0xFF) {
    uint8_t marker = data[at + 1];
    size_t length = size_t(data[at + 2]) << 8 | data[at + 3];
    if (marker == 0xC0 && at + 9 <= size) {
      *height = data[at + 5] << 8 | data[at + 6];
      *width = data[at + 7] << 8 | data[at + 8];
      return;
    }
    if (marker == 0xDA ||
        (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)) {
      return;  // scan data, or a frame that is not baseline
    }
    at += 2 + length;
  }
}

TEST(Assets, ResourceTableHoldsTheSixPictures) {
  struct Case {
    const char* name;
    const char* type;
    int width, height;
    int colorType;  // PNG only: 2 = RGB, 6 = RGBA; any opaque sheet may be either
  };
  const Case cases[] = {
      {"TITLE", "JPEG", 480, 360, 0}, {"PARTS1", "PNG", 768, 64, 2}, {"PARTS2", "PNG", 768, 64, 2},
      {"PARTS3", "PNG", 768, 64, 2},  {"CHARA", "PNG", 512, 64, 6},  {"ICON", "PNG", 64, 64, 6},
  };
  EXPECT_EQ(platform::resourceCount, 6u);
  const uint8_t pngMagic[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (const Case& c : cases) {
    const platform::ResourceEntry* e = entryNamed(c.name);
    ASSERT_NE(e, nullptr) << c.name;
    EXPECT_STREQ(e->type, c.type) << c.name;
    ASSERT_GT(e->size, 32u) << c.name;
    if (std::strcmp(c.type, "PNG") == 0) {
      ASSERT_EQ(std::memcmp(e->data, pngMagic, 8), 0) << c.name;
      ASSERT_EQ(std::memcmp(e->data + 12, "IHDR", 4), 0) << c.name;
      EXPECT_EQ(bigEndian32(e->data + 16), uint32_t(c.width)) << c.name;
      EXPECT_EQ(bigEndian32(e->data + 20), uint32_t(c.height)) << c.name;
      EXPECT_EQ(e->data[24], 8) << c.name << " bit depth";
      EXPECT_EQ(e->data[25], c.colorType) << c.name << " colour type";
    } else {
      EXPECT_EQ(e->data[0], 0xFF);
      EXPECT_EQ(e->data[1], 0xD8);
      int width, height;
      jpegFrameSize(e->data, e->size, &width, &height);
      EXPECT_EQ(width, c.width) << "no baseline frame of the right size";
      EXPECT_EQ(height, c.height);
    }
  }
}

TEST(Assets, TitleDecodes) {
  platform::ResourceStream stream;
  ASSERT_TRUE(platform::findResource("TITLE", "JPEG", &stream));
  platform::Picture picture;
  ASSERT_TRUE(platform::decodeJpeg(stream, &picture));
  EXPECT_EQ(picture.width, 480);
  EXPECT_EQ(picture.height, 360);
  // Pale grey ground near the corner, inside the thin edge.
  uint32_t corner = picture.pixels[10 * 480 + 10];
  for (int shift : {0, 8, 16}) {
    int v = int(corner >> shift & 0xFF);
    EXPECT_GT(v, 170);
    EXPECT_LT(v, 245);
  }
}

// A decoded sheet of 64 x 64 images side by side.
struct Sheet {
  platform::RgbaImage image;
  uint32_t rgb(int index, int x, int y) const {
    const uint8_t* p = &image.rgba[(size_t(y) * image.width + index * Side + x) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  }
  int alpha(int index, int x, int y) const {
    return image.rgba[(size_t(y) * image.width + index * Side + x) * 4 + 3];
  }
  bool opaque(int index, int x, int y) const { return alpha(index, x, y) >= 128; }
};

Sheet loadSheet(const char* name) {
  Sheet sheet;
  platform::ResourceStream stream;
  if (platform::findResource(name, "PNG", &stream)) {
    platform::decodePng(stream.data, stream.size, &sheet.image);
  }
  return sheet;
}

// The pixel line along one side of a tile: 0 left, 1 right, 2 top, 3 bottom.
uint32_t edgePixel(const Sheet& s, int index, int side, int i) {
  switch (side) {
    case 0:
      return s.rgb(index, 0, i);
    case 1:
      return s.rgb(index, Side - 1, i);
    case 2:
      return s.rgb(index, i, 0);
    default:
      return s.rgb(index, i, Side - 1);
  }
}

TEST(Assets, TileSheetsAreOpaqueWithBlackAndGoalTiles) {
  for (const char* name : {"PARTS1", "PARTS2", "PARTS3"}) {
    Sheet s = loadSheet(name);
    ASSERT_EQ(s.image.width, 12 * Side) << name;
    ASSERT_EQ(s.image.height, Side) << name;
    for (size_t i = 3; i < s.image.rgba.size(); i += 4) ASSERT_EQ(s.image.rgba[i], 255) << name;
    for (int y = 0; y < Side; ++y) {
      for (int x = 0; x < Side; ++x) ASSERT_EQ(s.rgb(0, x, y), 0u) << name << " tile 0";
    }
    // The goal: a marker on black.
    EXPECT_EQ(s.rgb(11, 0, 0), 0u) << name;
    EXPECT_EQ(s.rgb(11, 63, 63), 0u) << name;
    EXPECT_NE(s.rgb(11, 32, 32), 0u) << name;
  }
}

// Worlds 1 and 2: a wall piece's open sides end in exactly the floor tile's
// edge pixels, so the strip of floor it shows runs on into the next floor
// cell; its closed sides are wall in their middle.
TEST(Assets, WallPiecesOpenOntoFloorOnTheirOpenSides) {
  for (const char* name : {"PARTS1", "PARTS2"}) {
    Sheet s = loadSheet(name);
    ASSERT_EQ(s.image.width, 12 * Side) << name;
    for (int code = 1; code <= 9; ++code) {
      int col = (code - 1) % 3, row = (code - 1) / 3;
      const bool open[4] = {col == 0, col == 2, row == 0, row == 2};
      for (int side = 0; side < 4; ++side) {
        if (open[side]) {
          for (int i = 0; i < Side; ++i) {
            ASSERT_EQ(edgePixel(s, code, side, i), edgePixel(s, 10, side, i))
                << name << " piece " << code << " side " << side << " pixel " << i;
          }
        } else {
          EXPECT_NE(edgePixel(s, code, side, 32), edgePixel(s, 10, side, 32))
              << name << " piece " << code << " closed side " << side << " shows floor";
        }
      }
    }
    // The interior is wall all round.
    for (int side = 0; side < 4; ++side) {
      EXPECT_NE(edgePixel(s, 5, side, 0), edgePixel(s, 10, side, 0)) << name;
    }
  }
}

// World 3: nine different stones, each standing in the same water as tile 10.
TEST(Assets, StonesStandInWater) {
  Sheet s = loadSheet("PARTS3");
  ASSERT_EQ(s.image.width, 12 * Side);
  for (int code = 1; code <= 9; ++code) {
    for (int corner = 0; corner < 4; ++corner) {
      int x = corner % 2 ? Side - 1 : 0, y = corner / 2 ? Side - 1 : 0;
      EXPECT_EQ(s.rgb(code, x, y), s.rgb(10, x, y)) << "stone " << code << " corner " << corner;
    }
    EXPECT_NE(s.rgb(code, 32, 32), s.rgb(10, 32, 32)) << "stone " << code;
    for (int other = 1; other < code; ++other) {
      EXPECT_NE(s.rgb(code, 32, 32), s.rgb(other, 32, 32)) << code << " and " << other;
    }
  }
}

struct Box {
  int left = Side, top = Side, right = -1, bottom = -1;
};

Box opaqueBox(const Sheet& s, int index) {
  Box b;
  for (int y = 0; y < Side; ++y) {
    for (int x = 0; x < Side; ++x) {
      if (!s.opaque(index, x, y)) continue;
      b.left = std::min(b.left, x);
      b.top = std::min(b.top, y);
      b.right = std::max(b.right, x);
      b.bottom = std::max(b.bottom, y);
    }
  }
  return b;
}

TEST(Assets, SpriteShapes) {
  Sheet s = loadSheet("CHARA");
  ASSERT_EQ(s.image.width, 8 * Side);
  ASSERT_EQ(s.image.height, Side);
  // The leader reaches all four corners of its cell and is open in the middle.
  for (int corner = 0; corner < 4; ++corner) {
    int x = corner % 2 ? Side - 1 : 0, y = corner / 2 ? Side - 1 : 0;
    EXPECT_TRUE(s.opaque(0, x, y)) << "corner " << corner;
  }
  EXPECT_FALSE(s.opaque(0, 32, 32));
  EXPECT_FALSE(s.opaque(0, 32, 4));
  // The charas: about 58 x 45, centred, white inside a black rim.
  for (int index = 1; index <= 4; ++index) {
    Box b = opaqueBox(s, index);
    int w = b.right - b.left + 1, h = b.bottom - b.top + 1;
    EXPECT_NEAR(w, 58, 2) << "image " << index;
    EXPECT_NEAR(h, 45, 2) << "image " << index;
    EXPECT_NEAR(b.left + b.right, 63, 2) << "image " << index;
    EXPECT_NEAR(b.top + b.bottom, 63, 2) << "image " << index;
    EXPECT_EQ(s.rgb(index, b.left, 32), 0u) << "image " << index;
  }
  EXPECT_EQ(s.rgb(1, 32 + 20, 32), 0xFFFFFFu);
  // The separator: three rows of dashes, nothing below.
  bool black = false, white = false, grey = false;
  for (int y = 0; y < Side; ++y) {
    for (int x = 0; x < Side; ++x) {
      ASSERT_EQ(s.opaque(5, x, y), y < 3) << x << "," << y;
      if (y >= 3) continue;
      uint32_t c = s.rgb(5, x, y);
      black |= c == 0;
      white |= c == 0xFFFFFF;
      grey |= c != 0 && c != 0xFFFFFF;
    }
  }
  EXPECT_TRUE(black && white && grey);
}

// The white ring must hide every pixel of the grey one on the white screen.
TEST(Assets, WhiteRingCoversTheGreyRing) {
  Sheet s = loadSheet("CHARA");
  ASSERT_EQ(s.image.width, 8 * Side);
  Box b = opaqueBox(s, 6);
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.top, 0);
  EXPECT_EQ(b.right, 37);
  EXPECT_EQ(b.bottom, 37);
  EXPECT_FALSE(s.opaque(6, 19, 19)) << "a ring, not a disc";
  int greyPixels = 0;
  for (int y = 0; y < Side; ++y) {
    for (int x = 0; x < Side; ++x) {
      if (s.opaque(7, x, y)) {
        EXPECT_EQ(s.rgb(7, x, y), 0xFFFFFFu) << x << "," << y;
      }
      if (!s.opaque(6, x, y)) continue;
      ++greyPixels;
      EXPECT_NE(s.rgb(6, x, y), 0xFFFFFFu) << x << "," << y;
      EXPECT_TRUE(s.opaque(7, x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(greyPixels, 100);
}

}  // namespace
