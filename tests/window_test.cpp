// The game in a real window on a private X server: it opens with its
// caption, answers keys pressed through the X server, and ends with status 0
// when closed the way a window manager's close button closes it (runs
// without a display are options_test's).
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/headless_run.h"
#include "tests/support/x_session.h"

namespace {

constexpr char Caption[] = "Lantern Cadence -Velmora Keep- 03";
constexpr uint32_t White = 0xFFFFFF;

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    if (findOnPath("Xvfb").empty() || findOnPath("xdotool").empty()) {
      GTEST_SKIP() << "Xvfb and xdotool are needed for the real-window tests";
    }
    std::string error;
    ASSERT_TRUE(x_.start(&error)) << error;
    errPath_ = "/tmp/velmora-window-" + std::to_string(getpid()) + ".err";
  }
  void TearDown() override { unlink(errPath_.c_str()); }

  // Presses keys through the X server (XTEST) into the focused window.
  void press(unsigned long window, const std::string& keys) {
    std::string command = "DISPLAY=" + x_.display() + " xdotool windowfocus --sync " +
                          std::to_string(window) + " key --delay 30 " + keys;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Waits up to five seconds for the window to show a picture other than
  // `before` for which `looksRight` holds; returns what it shows then.
  template <typename Check>
  std::vector<uint32_t> waitForPicture(unsigned long window, const std::vector<uint32_t>& before,
                                       Check looksRight) {
    std::vector<uint32_t> now;
    for (int i = 0; i < 100; ++i) {
      int w = 0, h = 0;
      now = x_.grab(window, &w, &h);
      if (now != before && w == 576 && h == 464 && looksRight(now)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return now;
  }

  XSession x_;
  std::string errPath_;
};

TEST_F(WindowTest, PlaysAndClosesLikeADesktopWindow) {
  // The window system's own libraries keep caches to the end of the run;
  // their leaks are not the game's.
  pid_t game = x_.spawn({VELMORA_EXECUTABLE}, {"ASAN_OPTIONS=detect_leaks=0"}, errPath_);
  ASSERT_GT(game, 0);
  unsigned long window = x_.waitForWindow(Caption, 20);
  ASSERT_NE(window, 0u) << readFile(errPath_);

  // The title: white around the picture, which fills the middle.
  auto isTitle = [](const std::vector<uint32_t>& p) {
    return p.size() == 576 * 464 && p[5 * 576 + 5] == White && p[212 * 576 + 292] != White;
  };
  // The field: the white strip on top, tiles below it.
  auto isField = [](const std::vector<uint32_t>& p) {
    return p.size() == 576 * 464 && p[5 * 576 + 560] == White && p[30 * 576 + 10] != White;
  };
  std::vector<uint32_t> title = waitForPicture(window, {}, isTitle);
  ASSERT_TRUE(isTitle(title)) << "the title picture is shown at 576 x 464";

  press(window, "space");
  std::vector<uint32_t> field = waitForPicture(window, title, isField);
  ASSERT_TRUE(isField(field)) << "any key leaves the title for the field";

  press(window, "Right Down");
  std::vector<uint32_t> walked = waitForPicture(window, field, isField);
  EXPECT_TRUE(isField(walked));
  EXPECT_NE(walked, field) << "the field follows the leader";

  ASSERT_TRUE(x_.requestClose(window));
  EXPECT_EQ(waitForExit(game, 20), 0) << readFile(errPath_);
}

TEST_F(WindowTest, ScaleEnlargesTheWindow) {
  pid_t game =
      x_.spawn({VELMORA_EXECUTABLE, "--scale", "2"}, {"ASAN_OPTIONS=detect_leaks=0"}, errPath_);
  ASSERT_GT(game, 0);
  unsigned long window = x_.waitForWindow(Caption, 20);
  ASSERT_NE(window, 0u) << readFile(errPath_);
  int width = 0, height = 0;
  x_.grab(window, &width, &height);
  EXPECT_EQ(width, 1152);
  EXPECT_EQ(height, 928);
  ASSERT_TRUE(x_.requestClose(window));
  EXPECT_EQ(waitForExit(game, 20), 0) << readFile(errPath_);
}

}  // namespace
