// The game in a real window on a private X server (support/x_session.h): it
// shows exactly the frames the headless game draws, enlarged by whole pixels
// and centred on black in fullscreen, answers keys pressed through the X
// server, records them as a script that replays to the same game, carries
// its icon, and ends with status 0 when closed as a window manager closes it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/png_io.h"
#include "platform/screen_fit.h"
#include "app/window_icon.h"
#include "tests/support/headless_run.h"
#include "tests/support/x_session.h"
// Last: Xlib's macros (None, Bool, Status) would trip over GoogleTest's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

constexpr char Caption[] = "Lantern Cadence -Velmora Keep- 03";
constexpr int ViewW = 576;
constexpr int ViewH = 464;

// The frame the headless game shows after `script`, 0x00RRGGBB.
std::vector<uint32_t> headlessFrame(const std::string& script) {
  const std::string png = "/tmp/velmora-frame-" + std::to_string(getpid()) + ".png";
  const HeadlessRun run = runHeadless(script + "screenshot " + png + "\n");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string bytes = readFile(png);
  std::remove(png.c_str());
  platform::RgbaImage image;
  std::vector<uint32_t> pixels;
  if (platform::decodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &image)) {
    for (size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
      pixels.push_back(uint32_t(image.rgba[i]) << 16 | uint32_t(image.rgba[i + 1]) << 8 |
                       image.rgba[i + 2]);
    }
  }
  return pixels;
}

class RealWindow : public testing::Test {
 protected:
  void SetUp() override {
    if (findOnPath("Xvfb").empty() || findOnPath("xdotool").empty()) {
      GTEST_SKIP() << "Xvfb and xdotool are needed for the real-window tests";
    }
    char pattern[] = "/tmp/velmora-window-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    std::string error;
    ASSERT_TRUE(x_.start(&error)) << error;
  }
  void TearDown() override {
    if (game_ > 0) {
      ASSERT_TRUE(x_.requestClose(window_));
      EXPECT_EQ(waitForExit(game_, 20), 0) << readFile(dir_ + "/err");
    }
    if (!dir_.empty()) std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  void open(const std::vector<std::string>& args) {
    std::vector<std::string> argv{VELMORA_EXECUTABLE};
    argv.insert(argv.end(), args.begin(), args.end());
    // The window system's own libraries keep caches to the end of the run.
    game_ = x_.spawn(argv, {"ASAN_OPTIONS=detect_leaks=0"}, dir_ + "/err");
    ASSERT_GT(game_, 0);
    window_ = x_.waitForWindow(Caption, 20);
    ASSERT_NE(window_, 0u) << readFile(dir_ + "/err");
  }

  // Waits up to five seconds for the window to show `frame` enlarged `scale`
  // times with its top-left at (left, top), black all round, on a window of
  // width x height; returns the count of pixels that differ.
  int differsFrom(const std::vector<uint32_t>& frame, int scale, int left, int top, int width,
                  int height) {
    int wrong = -1;
    for (int attempt = 0; attempt < 100 && wrong != 0; ++attempt) {
      if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
      int w = 0, h = 0;
      const std::vector<uint32_t> shown = x_.grab(window_, &w, &h);
      if (w != width || h != height || frame.size() != size_t(ViewW) * ViewH) continue;
      wrong = 0;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const int sx = x - left, sy = y - top;
          const bool inside = sx >= 0 && sy >= 0 && sx < ViewW * scale && sy < ViewH * scale;
          const uint32_t want = inside ? frame[size_t(sy / scale) * ViewW + sx / scale] : 0;
          wrong += shown[size_t(y) * w + x] != want;
        }
      }
    }
    return wrong;
  }

  XSession x_;
  std::string dir_;
  pid_t game_ = -1;
  unsigned long window_ = 0;
};

// Leaves the title, walks, opens command entry, picks S, completes it to
// SELECT, walks the cursor round the edges to the submit cell, submits, and
// takes one more step; each key as xdotool names it and as a script does.
TEST_F(RealWindow, PlaysRecordsAndShowsTheHeadlessFrames) {
  const std::pair<const char*, const char*> session[] = {
      {"a", "65"},         {"Down", "Down"},   {"Right", "Right"}, {"Down", "Down"},
      {"Return", "Enter"}, {"Right", "Right"}, {"Right", "Right"}, {"Right", "Right"},
      {"Right", "Right"},  {"Right", "Right"}, {"Down", "Down"},   {"space", "Space"},
      {"Tab", "Tab"},      {"Left", "Left"},   {"Left", "Left"},   {"Left", "Left"},
      {"Left", "Left"},    {"Left", "Left"},   {"Left", "Left"},   {"Up", "Up"},
      {"Up", "Up"},        {"space", "Space"}, {"Up", "Up"},
  };
  const std::string recording = dir_ + "/session.keys";
  open({"--record", recording});
  EXPECT_EQ(differsFrom(headlessFrame(""), 1, 0, 0, ViewW, ViewH), 0) << "the title";

  std::string keys, script;
  for (const auto& [xdotool, name] : session) {
    keys += std::string(" ") + xdotool;
    script += std::string("key ") + name + "\n";
  }
  const std::string press = "DISPLAY=" + x_.display() + " xdotool windowfocus --sync " +
                            std::to_string(window_) + " key --delay 30" + keys;
  ASSERT_EQ(std::system(press.c_str()), 0) << press;
  EXPECT_EQ(differsFrom(headlessFrame(script), 1, 0, 0, ViewW, ViewH), 0) << "after the session";

  // The recording replays to the state the hand-written script gives.
  const HeadlessRun replayed = runHeadless(readFile(recording) + "state\n");
  const HeadlessRun written = runHeadless(script + "state\n");
  ASSERT_EQ(written.states.size(), 1u) << written.err;
  EXPECT_EQ(replayed.out, written.out);
  EXPECT_EQ(written.states[0]["last"], "SELECT ");
  EXPECT_EQ(written.states[0]["score"], 4995);
}

// Whole-pixel enlargement: a bigger window with --scale, the screen
// (1280 x 1024 here) with --fullscreen, --scale capping the factor there.
TEST_F(RealWindow, EnlargesByWholePixels) {
  const std::vector<uint32_t> title = headlessFrame("");
  const struct {
    std::vector<std::string> args;
    int scale, left, top, width, height;
  } cases[] = {
      {{"--scale", "2"}, 2, 0, 0, 2 * ViewW, 2 * ViewH},
      {{"--fullscreen"}, 2, 64, 48, 1280, 1024},
      {{"--scale", "1", "--fullscreen"}, 1, 352, 280, 1280, 1024},
  };
  for (const auto& c : cases) {
    open(c.args);
    EXPECT_EQ(differsFrom(title, c.scale, c.left, c.top, c.width, c.height), 0) << c.args[0];
    ASSERT_TRUE(x_.requestClose(window_));
    EXPECT_EQ(waitForExit(game_, 20), 0) << readFile(dir_ + "/err");
    game_ = -1;
  }
}

TEST_F(RealWindow, CarriesTheGameIcon) {
  open({});
  std::vector<uint32_t> icon;
  int width = 0, height = 0;
  ASSERT_TRUE(decodeWindowIcon(&icon, &width, &height));
  ASSERT_EQ(icon.size(), 64u * 64u);
  EXPECT_EQ(icon[0] >> 24, 0u) << "a clear corner";
  EXPECT_EQ(icon[32 * 64 + 32] >> 24, 0xFFu) << "an opaque middle";

  Display* display = XOpenDisplay(x_.display().c_str());
  ASSERT_NE(display, nullptr);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom netWmIcon = XInternAtom(display, "_NET_WM_ICON", False);
  std::vector<uint32_t> values;
  if (XGetWindowProperty(display, window_, netWmIcon, 0, 2 + 64 * 64, False, XA_CARDINAL, &type,
                         &format, &count, &after, &data) == Success &&
      data != nullptr && format == 32) {
    auto* longs = reinterpret_cast<unsigned long*>(data);  // Xlib hands 32-bit items as longs
    for (unsigned long i = 0; i < count; ++i) values.push_back(uint32_t(longs[i]));
  }
  if (data != nullptr) XFree(data);
  XCloseDisplay(display);
  std::vector<uint32_t> expected = {64, 64};
  expected.insert(expected.end(), icon.begin(), icon.end());
  EXPECT_TRUE(values == expected) << "the window's icon is not the built-in ICON";
}

TEST(ScreenFit, LargestWholeFactorCentred) {
  const struct {
    int screenW, screenH, maxScale, scale, left, top;
  } cases[] = {
      {1920, 1080, 0, 2, 384, 76},  {2560, 1440, 0, 3, 416, 24}, {5120, 2880, 0, 6, 832, 48},
      {1152, 928, 0, 2, 0, 0},      {1151, 928, 0, 1, 287, 232}, {3840, 2160, 3, 3, 1056, 384},
      {3840, 2160, 9, 4, 768, 152}, {576, 464, 0, 1, 0, 0},      {400, 300, 0, 1, -88, -82},
  };
  for (const auto& c : cases) {
    const platform::ScreenFit fit =
        platform::fitOnScreen(ViewW, ViewH, c.screenW, c.screenH, c.maxScale);
    EXPECT_EQ(fit.scale, c.scale) << c.screenW << "x" << c.screenH << " max " << c.maxScale;
    EXPECT_EQ(fit.left, c.left) << c.screenW;
    EXPECT_EQ(fit.top, c.top) << c.screenW;
  }
}

}  // namespace
