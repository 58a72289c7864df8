// A recording is never lost: --record refuses a file that holds anything,
// --resume refuses what is no recording and drops only an unfinished last
// line, a failed write is told once and ends the game with status 1, and a
// game recorded in three sittings, the first ended by kill -9, replays to the
// records of its keys played in one go.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/headless_run.h"
#include "tests/support/x_session.h"

namespace {

const std::string Header = "# velmora key recording: replay with velmora --headless FILE\n";
const std::string Recorded = Header + "key 65\nkey 40\n";

std::string fill(std::string text, const std::string& file) {
  for (size_t at = text.find("{f}"); at != std::string::npos; at = text.find("{f}", at)) {
    text.replace(at, 3, file);
  }
  return text;
}

// Counts the whole key lines of a recording: its lines but the first.
int keyLines(const std::string& path) {
  const std::string text = readFile(path);
  return int(std::count(text.begin(), text.end(), '\n')) - 1;
}

class Recording : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-recording-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    file_ = dir_ + "/game.keys";
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  // Runs velmora in a real window on `file`, presses `keys` (xdotool names),
  // waits for `recorded` key lines, closes the box of a failed write, then
  // ends the game with kill -9 or closes it. Returns the exit status.
  int sitting(const char* option, const std::string& file, const std::string& keys, int recorded,
              bool kill9) {
    const pid_t game = x_.spawn({VELMORA_EXECUTABLE, option, file}, {}, dir_ + "/err");
    const unsigned long window = x_.waitForWindow("Lantern Cadence -Velmora Keep- 03", 20);
    EXPECT_NE(window, 0u) << readFile(dir_ + "/err");
    const std::string press = "DISPLAY=" + x_.display() + " xdotool windowfocus --sync " +
                              std::to_string(window) + " key --delay 30 " + keys;
    EXPECT_EQ(std::system(press.c_str()), 0) << press;
    for (int i = 0; i < 100 && recorded > 0 && keyLines(file) < recorded; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // Where the X server lacks the box's fonts, its text goes to standard error.
    if (const unsigned long box = x_.waitForWindow("Recording stopped", recorded ? 0 : 1)) {
      x_.requestClose(box);
    }
    if (kill9) kill(game, SIGKILL);
    if (!kill9) x_.requestClose(window);
    return waitForExit(game, 20);
  }

  std::string dir_, file_;
  XSession x_;
};

// Without a display, a file accepted ends at the missing display (status 1);
// one refused ends before it (status 2).
TEST_F(Recording, FilesAreCheckedBeforeTheWindowOpens) {
  const struct {
    const char* args;
    std::string before, after;
    int status;
    const char* err;
  } cases[] = {
      {"--record {f}", Recorded, Recorded, 2,
       "velmora: {f} is not empty: continue its game with --resume {f}, or record to another name "
       "(or remove the file) to start afresh\n"},
      {"--record {f}", "", "", 1, "no display found"},
      {"--resume {f}", Recorded + "key 1", Recorded, 1, "no display found"},
      {"--resume {f}", Header.substr(0, 9), "", 1, "no display found"},
      {"--resume {f}", "SELECT 1\n", "SELECT 1\n", 2,
       "velmora: {f} is not a key recording made with --record (line 1); it was left as it is\n"},
      {"--resume {f}", Recorded + "key 256\n", Recorded + "key 256\n", 2, "(line 4)"},
      {"--resume {f}", Recorded + "key 0", Recorded + "key 0", 2, "(line 4)"},
      {"--resume {f}/x", Recorded, Recorded, 2, "cannot resume {f}/x: Not a directory"},
      {"--record {f} --resume {f}", Recorded, Recorded, 2, "cannot be used together"},
      {"--headless --resume {f}", Recorded, Recorded, 2, "--resume works only with the window"},
  };
  for (const auto& c : cases) {
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << c.before;
    const HeadlessRun run =
        runVelmora(fill(c.args, file_), "", {"env -u DISPLAY -u WAYLAND_DISPLAY", false});
    EXPECT_EQ(run.status, c.status) << c.args << " on " << c.before << run.err;
    EXPECT_NE(run.err.find(fill(c.err, file_)), std::string::npos) << run.err;
    EXPECT_EQ(readFile(file_), c.after) << c.args << " on " << c.before;
  }
}

class WindowRecording : public Recording {
  void SetUp() override {
    if (findOnPath("Xvfb").empty() || findOnPath("xdotool").empty()) {
      GTEST_SKIP() << "Xvfb and xdotool are needed for the real-window tests";
    }
    Recording::SetUp();
    std::string error;
    ASSERT_TRUE(x_.start(&error)) << error;
  }
};

TEST_F(WindowRecording, ThreeSittingsEndAsOne) {
  EXPECT_EQ(sitting("--record", file_, "a Down Right Down Return Right Right", 7, true), -1);
  std::ofstream(file_, std::ios::app) << "key 1";  // a write the kill cut short
  EXPECT_EQ(sitting("--resume", file_, "Right Right Right Down space Tab Left Left", 15, false), 0);
  EXPECT_EQ(sitting("--resume", file_, "Left Left Left Left Up Up space Up", 23, false), 0);

  const HeadlessRun resumed = runVelmora("--headless {script}", readFile(file_) + "state\n");
  const HeadlessRun inOneGo = runHeadless(
      "key 65 Down Right Down Enter Right Right Right Right Right Down Space Tab Left Left Left\n"
      "key Left Left Left Up Up Space Up\nstate\n");
  ASSERT_EQ(resumed.states.size(), 1u) << resumed.err << readFile(file_);
  EXPECT_EQ(resumed.states, inOneGo.states);
  EXPECT_EQ(inOneGo.states[0]["last"], "SELECT ");
}

TEST_F(WindowRecording, AFailedWriteIsToldOnceAndTheGameEndsWithStatusOne) {
  EXPECT_EQ(sitting("--record", "/dev/full", "a Down Down", 0, false), 1);
  const std::string box =
      "message box: Cannot write the recording /dev/full: No space left on device. The game goes "
      "on, but no more key presses are recorded.\n";
  std::string err = readFile(dir_ + "/err");
  if (err.rfind(box, 0) == 0) err.erase(0, box.size());
  EXPECT_EQ(err,
            "velmora: /dev/full holds 0 key presses of this game; the rest were not recorded: "
            "No space left on device\n");
}

}  // namespace
