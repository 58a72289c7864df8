// Picture tests: JPEG decoding of files made by libjpeg in the test, broken
// JPEGs refused, PNG screenshots read back, and image lists cut from a PNG
// sheet resource, drawn opaque or through their mask and clipped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/image_list.h"
#include "platform/jpeg_decode.h"
#include "platform/png_io.h"
#include "platform/resources.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/picture_files.h"

using platform::Canvas;
using platform::Rect;

namespace {

int channelDistance(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift : {0, 8, 16}) {
    int d = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    worst = std::max(worst, d);
  }
  return worst;
}

// Smooth colours, which JPEG keeps nearly exact at high quality.
std::vector<uint32_t> gradient(int width, int height) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels.push_back(uint32_t(40 + x * 4) << 16 | uint32_t(60 + y * 5) << 8 | 128);
  return pixels;
}

platform::ResourceStream streamOf(const std::vector<uint8_t>& bytes) {
  return platform::ResourceStream{bytes.data(), bytes.size()};
}

// Points the resource table at the test's own entries while it lives.
class ResourceSwap {
 public:
  explicit ResourceSwap(const std::vector<platform::ResourceEntry>& entries)
      : table_(platform::resourceTable), count_(platform::resourceCount) {
    platform::resourceTable = entries.data();
    platform::resourceCount = entries.size();
  }
  ~ResourceSwap() {
    platform::resourceTable = table_;
    platform::resourceCount = count_;
  }

 private:
  const platform::ResourceEntry* table_;
  size_t count_;
};

// A sheet of `count` images: image i is filled with colourOf(i), and image 1
// is transparent (alpha 0) on its left half and half-transparent (alpha 127)
// in its top row.
uint32_t colourOf(int i) { return 0x102030u * uint32_t(i + 1); }

std::vector<uint8_t> sheetPng(int count) {
  int width = platform::ImageSide * count;
  std::vector<uint8_t> rgba(size_t(width) * platform::ImageSide * 4);
  for (int y = 0; y < platform::ImageSide; ++y)
    for (int x = 0; x < width; ++x) {
      int index = x / platform::ImageSide, ix = x % platform::ImageSide;
      uint32_t c = colourOf(index);
      uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
      p[0] = uint8_t(c >> 16);
      p[1] = uint8_t(c >> 8);
      p[2] = uint8_t(c);
      p[3] = 255;
      if (index == 1 && ix < 32) p[3] = 0;
      if (index == 1 && y == 0) p[3] = 127;
    }
  return encodePng(rgba, width, platform::ImageSide);
}

}  // namespace

TEST(Jpeg, DecodesColourAndGreyPictures) {
  const int w = 24, h = 17;  // not a multiple of the 8 x 8 blocks
  std::vector<uint32_t> source = gradient(w, h);
  for (bool gray : {false, true}) {
    std::vector<uint8_t> file = encodeJpeg(source, w, h, 100, gray);
    platform::Picture picture;
    ASSERT_TRUE(platform::decodeJpeg(streamOf(file), &picture)) << gray;
    ASSERT_EQ(picture.width, w);
    ASSERT_EQ(picture.height, h);
    ASSERT_EQ(picture.pixels.size(), size_t(w * h));
    for (int i = 0; i < w * h; ++i) {
      uint32_t expected = source[i];
      if (gray) expected = ((source[i] >> 8) & 0xFF) * 0x010101u;
      ASSERT_LE(channelDistance(picture.pixels[i], expected), 6) << "pixel " << i << " " << gray;
      ASSERT_EQ(picture.pixels[i] >> 24, 0u);
    }
  }
}

TEST(Jpeg, BrokenDataIsRefusedWithoutEndingTheProgram) {
  std::vector<uint8_t> good = encodeJpeg(gradient(32, 32), 32, 32, 90);
  std::vector<uint8_t> truncated(good.begin(), good.begin() + good.size() / 2);
  std::vector<uint8_t> headerOnly(good.begin(), good.begin() + 20);
  std::vector<uint8_t> noise(400);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 37 + 11);
  std::vector<uint8_t> png = sheetPng(1);
  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"truncated", truncated},
      {"header only", headerOnly},
      {"noise", noise},
      {"a PNG", png},
      {"empty", {}},
  };
  for (const auto& [name, bytes] : cases) {
    platform::Picture picture;
    picture.width = 3;
    EXPECT_FALSE(platform::decodeJpeg(streamOf(bytes), &picture)) << name;
    EXPECT_EQ(picture.width, 0) << name;
    EXPECT_TRUE(picture.pixels.empty()) << name;
  }
  platform::Picture picture;  // and the decoder still works afterwards
  EXPECT_TRUE(platform::decodeJpeg(streamOf(good), &picture));
}

TEST(Png, ScreenshotReadsBackExactly) {
  Canvas canvas;
  canvas.create(40, 30);
  for (int i = 0; i < 40 * 30; ++i) canvas.pixels()[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
  std::string path = (std::filesystem::temp_directory_path() /
                      ("velmora_png_test_" + std::to_string(::getpid()) + ".png"))
                         .string();
  struct Case {
    Rect rect;
    int left, top, width, height;
  };
  for (const Case& k : {Case{{0, 0, 40, 30}, 0, 0, 40, 30}, Case{{5, 7, 17, 9}, 5, 7, 12, 2},
                        Case{{-4, 20, 100, 100}, 0, 20, 40, 10}}) {
    ASSERT_TRUE(platform::writePng(canvas, k.rect, path.c_str()));
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    platform::RgbaImage image;
    ASSERT_TRUE(platform::decodePng(bytes.data(), bytes.size(), &image));
    ASSERT_EQ(image.width, k.width);
    ASSERT_EQ(image.height, k.height);
    for (int y = 0; y < k.height; ++y)
      for (int x = 0; x < k.width; ++x) {
        const uint8_t* p = &image.rgba[(size_t(y) * k.width + x) * 4];
        uint32_t got = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        ASSERT_EQ(got, canvas.pixel(k.left + x, k.top + y)) << x << "," << y;
        ASSERT_EQ(p[3], 255);
      }
  }
  std::remove(path.c_str());
  EXPECT_FALSE(platform::writePng(canvas, Rect{50, 0, 60, 10}, path.c_str()));
  EXPECT_FALSE(platform::writePng(canvas, Rect{0, 0, 10, 10}, "/nonexistent-dir/x.png"));
  platform::RgbaImage image;
  std::vector<uint8_t> noise(100, 0x42);
  EXPECT_FALSE(platform::decodePng(noise.data(), noise.size(), &image));
  EXPECT_FALSE(platform::decodePng(nullptr, 0, &image));
}

TEST(Resources, FoundByNameAndTypeIgnoringCase) {
  static const uint8_t a[] = {1, 2, 3}, b[] = {4};
  std::vector<platform::ResourceEntry> entries = {{"TITLE", "JPEG", a, 3}, {"ICON", "PNG", b, 1}};
  ResourceSwap swap(entries);
  platform::ResourceStream s;
  ASSERT_TRUE(platform::findResource("title", "jpeg", &s));
  EXPECT_EQ(s.data, a);
  EXPECT_EQ(s.size, 3u);
  ASSERT_TRUE(platform::findResource("ICON", "PNG", &s));
  EXPECT_EQ(s.data, b);
  EXPECT_FALSE(platform::findResource("TITLE", "PNG", &s));
  EXPECT_FALSE(platform::findResource("PARTS1", "PNG", &s));
  EXPECT_FALSE(platform::findResource(nullptr, "PNG", &s));
}

TEST(ImageList, DrawsOpaqueOrThroughTheMask) {
  std::vector<uint8_t> png = sheetPng(3);
  std::vector<platform::ResourceEntry> entries = {{"PARTS1", "PNG", png.data(), png.size()}};
  ResourceSwap swap(entries);
  for (bool masked : {false, true}) {
    platform::ImageList list;
    list.load("PARTS1", 3, masked);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.masked(), masked);
    Canvas canvas;
    canvas.create(200, 100);
    canvas.setBrushColor(0x00FF00);
    canvas.fillRect(canvas.clipRect());
    list.draw(canvas, 10, 20, 1);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) {
        int ix = x - 10, iy = y - 20;
        bool covered = ix >= 0 && iy >= 0 && ix < 64 && iy < 64;
        bool transparent = masked && (ix < 32 || iy == 0);
        uint32_t expected = covered && !transparent ? colourOf(1) : 0x00FF00;
        ASSERT_EQ(canvas.pixel(x, y), expected) << masked << " at " << x << "," << y;
      }
  }
}

TEST(ImageList, ClipsAtEveryEdgeAndIgnoresBadIndices) {
  std::vector<uint8_t> png = sheetPng(2);
  std::vector<platform::ResourceEntry> entries = {{"CHARA", "PNG", png.data(), png.size()}};
  ResourceSwap swap(entries);
  platform::ImageList list;
  list.load("CHARA", 2, false);
  for (auto [px, py] : {std::pair{-20, -30}, {70, 50}, {-63, 0}, {0, 79}, {-64, 0}, {100, 0}}) {
    Canvas canvas;
    canvas.create(100, 80);
    list.draw(canvas, px, py, 0);
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x) {
        bool covered = x >= px && y >= py && x < px + 64 && y < py + 64;
        ASSERT_EQ(canvas.pixel(x, y), covered ? colourOf(0) : platform::ColorWhite)
            << px << "," << py << " at " << x << "," << y;
      }
  }
  Canvas canvas;
  canvas.create(100, 80);
  for (int index : {-1, 2, 1000}) list.draw(canvas, 0, 0, index);
  EXPECT_EQ(canvas.pixel(0, 0), platform::ColorWhite);
  AllocationCounter counter;
  list.draw(canvas, 3, 3, 1);
  EXPECT_EQ(counter.count(), 0);
  EXPECT_EQ(canvas.pixel(3, 3), colourOf(1));
}

TEST(ImageList, MissingOrMisshapenSheetsThrow) {
  std::vector<uint8_t> png = sheetPng(2);
  std::vector<uint8_t> noise(64, 7);
  std::vector<platform::ResourceEntry> entries = {{"PARTS2", "PNG", png.data(), png.size()},
                                                  {"PARTS3", "PNG", noise.data(), noise.size()}};
  ResourceSwap swap(entries);
  platform::ImageList list;
  EXPECT_THROW(list.load("PARTS1", 2, false), std::runtime_error);  // not there
  EXPECT_THROW(list.load("PARTS2", 3, false), std::runtime_error);  // too narrow
  EXPECT_THROW(list.load("PARTS2", 1, false), std::runtime_error);  // too wide
  EXPECT_THROW(list.load("PARTS3", 1, false), std::runtime_error);  // not a PNG
  EXPECT_THROW(list.load("PARTS2", 0, false), std::runtime_error);
  list.load("PARTS2", 2, true);
  EXPECT_EQ(list.count(), 2);
}
