// The window on the desktop: the fullscreen fit (largest whole enlargement,
// centred), a real fullscreen window on a private X server showing the
// picture enlarged by whole pixels on black, and the game's icon on the
// window.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/window_icon.h"
#include "platform/png_io.h"
#include "platform/screen_fit.h"
#include "tests/support/headless_run.h"
#include "tests/support/x_session.h"

// Last: Xlib's macros (None, Bool, Status) would trip over GoogleTest's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

constexpr char Caption[] = "Lantern Cadence -Velmora Keep- 03";
constexpr int ViewW = 576;
constexpr int ViewH = 464;
// The private X server's screen (tests/support/x_session.cpp).
constexpr int ScreenW = 1280;
constexpr int ScreenH = 1024;

TEST(ScreenFitTest, LargestWholeFactorCentred) {
  struct Case {
    int screenW, screenH, maxScale;
    int scale, left, top;
  };
  const Case cases[] = {
      {1280, 1024, 0, 2, 64, 48},
      {1920, 1080, 0, 2, 384, 76},
      {2560, 1440, 0, 3, 416, 24},
      {3840, 2160, 0, 4, 768, 152},
      {5120, 2880, 0, 6, 832, 48},
      {1152, 928, 0, 2, 0, 0},
      {1151, 928, 0, 1, 287, 232},
      {1920, 1080, 1, 1, 672, 308},
      {3840, 2160, 3, 3, 1056, 384},
      {3840, 2160, 9, 4, 768, 152},
      {577, 465, 0, 1, 0, 0},
      {576, 464, 0, 1, 0, 0},
      // Smaller than the picture: scale 1, centred and cut on every side.
      {400, 300, 0, 1, -88, -82},
  };
  for (const Case& c : cases) {
    platform::ScreenFit fit = platform::fitOnScreen(ViewW, ViewH, c.screenW, c.screenH, c.maxScale);
    const std::string trace = std::to_string(c.screenW) + "x" + std::to_string(c.screenH) +
                              " max " + std::to_string(c.maxScale);
    EXPECT_EQ(fit.scale, c.scale) << trace;
    EXPECT_EQ(fit.left, c.left) << trace;
    EXPECT_EQ(fit.top, c.top) << trace;
  }
}

TEST(WindowIconTest, IconIsTheBuiltInPicture) {
  std::vector<uint32_t> argb;
  int width = 0, height = 0;
  ASSERT_TRUE(decodeWindowIcon(&argb, &width, &height));
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 64);
  ASSERT_EQ(argb.size(), 64u * 64u);
  // Rounded corners are clear, the middle is opaque.
  EXPECT_EQ(argb[0] >> 24, 0u);
  EXPECT_EQ(argb[64 * 64 - 1] >> 24, 0u);
  EXPECT_EQ(argb[32 * 64 + 32] >> 24, 0xFFu);
}

// The title screen as the headless game draws it, 0x00RRGGBB.
std::vector<uint32_t> headlessTitle(const std::string& dir) {
  const std::string png = dir + "/title.png";
  const HeadlessRun run = runHeadless("screenshot " + png + "\n");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string bytes = readFile(png);
  platform::RgbaImage image;
  std::vector<uint32_t> pixels;
  if (!platform::decodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &image))
    return pixels;
  for (size_t i = 0; i < size_t(image.width) * image.height; ++i) {
    const uint8_t* p = &image.rgba[4 * i];
    pixels.push_back(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
  }
  return pixels;
}

class DesktopWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    if (findOnPath("Xvfb").empty()) GTEST_SKIP() << "Xvfb is needed for the real-window tests";
    char pattern[] = "/tmp/velmora-desktop-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    std::string error;
    ASSERT_TRUE(x_.start(&error)) << error;
  }
  void TearDown() override {
    if (game_ > 0) {
      x_.requestClose(window_);
      EXPECT_EQ(waitForExit(game_, 20), 0) << readFile(dir_ + "/err");
    }
    if (!dir_.empty()) std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  // Starts the game with `args` and waits for its window.
  void open(const std::vector<std::string>& args) {
    std::vector<std::string> argv{VELMORA_EXECUTABLE};
    argv.insert(argv.end(), args.begin(), args.end());
    // The window system's own libraries keep caches to the end of the run.
    game_ = x_.spawn(argv, {"ASAN_OPTIONS=detect_leaks=0"}, dir_ + "/err");
    ASSERT_GT(game_, 0);
    window_ = x_.waitForWindow(Caption, 20);
    ASSERT_NE(window_, 0u) << readFile(dir_ + "/err");
  }

  // Grabs the window until `ready` holds (up to five seconds).
  template <typename Ready>
  std::vector<uint32_t> grabWhen(Ready ready, int* width, int* height) {
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 100; ++i) {
      pixels = x_.grab(window_, width, height);
      if (ready(pixels, *width, *height)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return pixels;
  }

  // Checks that the window covers the screen and shows `title` enlarged
  // `scale` times with its top-left at (left, top), black all round.
  void expectCentredPicture(const std::vector<uint32_t>& title, int scale, int left, int top) {
    ASSERT_EQ(title.size(), size_t(ViewW) * ViewH);
    auto shown = [&](const std::vector<uint32_t>& p, int w, int h) {
      return w == ScreenW && h == ScreenH && p.size() == size_t(w) * h &&
             p[size_t(top + 10) * w + left + 10] == title[size_t(10 / scale) * ViewW + 10 / scale];
    };
    int width = 0, height = 0;
    std::vector<uint32_t> screen = grabWhen(shown, &width, &height);
    ASSERT_EQ(width, ScreenW);
    ASSERT_EQ(height, ScreenH);
    ASSERT_TRUE(shown(screen, width, height)) << "the title never showed";
    int wrong = 0, borderNotBlack = 0;
    for (int y = 0; y < ScreenH; ++y) {
      for (int x = 0; x < ScreenW; ++x) {
        const uint32_t got = screen[size_t(y) * ScreenW + x];
        const int sx = x - left, sy = y - top;
        if (sx >= 0 && sy >= 0 && sx < ViewW * scale && sy < ViewH * scale) {
          if (got != title[size_t(sy / scale) * ViewW + sx / scale]) ++wrong;
        } else if (got != 0) {
          ++borderNotBlack;
        }
      }
    }
    EXPECT_EQ(wrong, 0) << "pixels of the picture that are not the title's, enlarged";
    EXPECT_EQ(borderNotBlack, 0) << "border pixels that are not black";
  }

  XSession x_;
  std::string dir_;
  pid_t game_ = -1;
  unsigned long window_ = 0;
};

TEST_F(DesktopWindowTest, FullscreenCentresTheLargestWholeEnlargement) {
  const std::vector<uint32_t> title = headlessTitle(dir_);
  open({"--fullscreen"});
  // 1280 x 1024 takes 576 x 464 twice: 1152 x 928, 64 and 48 pixels of border.
  expectCentredPicture(title, 2, 64, 48);
}

TEST_F(DesktopWindowTest, ScaleCapsTheFullscreenEnlargement) {
  const std::vector<uint32_t> title = headlessTitle(dir_);
  open({"--scale", "1", "--fullscreen"});
  expectCentredPicture(title, 1, 352, 280);
}

TEST_F(DesktopWindowTest, WindowCarriesTheGameIcon) {
  open({});
  std::vector<uint32_t> icon;
  int width = 0, height = 0;
  ASSERT_TRUE(decodeWindowIcon(&icon, &width, &height));

  Display* display = XOpenDisplay(x_.display().c_str());
  ASSERT_NE(display, nullptr);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom netWmIcon = XInternAtom(display, "_NET_WM_ICON", False);
  const int got = XGetWindowProperty(display, window_, netWmIcon, 0, 2 + 64 * 64, False,
                                     XA_CARDINAL, &type, &format, &count, &after, &data);
  std::vector<unsigned long> values;
  if (got == Success && data != nullptr && format == 32) {
    auto* longs = reinterpret_cast<unsigned long*>(data);  // Xlib hands 32-bit items as longs
    values.assign(longs, longs + count);
  }
  if (data != nullptr) XFree(data);
  XCloseDisplay(display);

  ASSERT_EQ(values.size(), 2u + 64u * 64u) << "the window has no 64 x 64 icon";
  EXPECT_EQ(values[0], 64u);
  EXPECT_EQ(values[1], 64u);
  int different = 0;
  for (size_t i = 0; i < icon.size(); ++i) {
    if ((values[2 + i] & 0xFFFFFFFFu) != icon[i]) ++different;
  }
  EXPECT_EQ(different, 0) << "icon pixels that differ from the built-in ICON";
}

}  // namespace
