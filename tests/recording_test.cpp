// A recording is never lost: --record refuses a file that holds anything,
// --resume refuses what is no recording and drops only an unfinished last
// line, a failed write is told once and ends the game with status 1, and a
// game recorded in three sittings, the first ended by kill -9, replays to the
// records of its keys played in one go.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "shell/key_recorder.h"
#include "shell/keyboard.h"
#include "tests/support/game_fixture.h"
#include "tests/support/headless_run.h"
#include "tests/support/x_session.h"

namespace {

constexpr char Caption[] = "Lantern Cadence -Velmora Keep- 03";
const std::string Header = "# velmora key recording: replay with velmora --headless FILE\n";
const std::string Recorded = Header + "key 65\nkey 40\n";

std::string fill(std::string text, const std::string& file) {
  for (size_t at = text.find("{f}"); at != std::string::npos; at = text.find("{f}", at)) {
    text.replace(at, 3, file);
  }
  return text;
}

int keyLines(const std::string& path) {
  const std::string text = readFile(path);
  int count = 0;
  for (size_t at = text.find("\nkey "); at != std::string::npos; at = text.find("\nkey ", at + 1)) {
    ++count;
  }
  return count;
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

  // Presses `keys` (xdotool names) in `window`.
  void press(unsigned long window, const std::string& keys) {
    const std::string command = "DISPLAY=" + x_.display() + " xdotool windowfocus --sync " +
                                std::to_string(window) + " key --delay 30 " + keys;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Runs velmora in a real window, presses `keys`, waits for `recorded` key
  // lines in the file, then ends it with kill -9 or closes it.
  int sitting(const std::string& option, const std::string& keys, int recorded, bool kill9) {
    const pid_t game = x_.spawn({VELMORA_EXECUTABLE, option, file_}, {}, dir_ + "/err");
    const unsigned long window = x_.waitForWindow(Caption, 20);
    EXPECT_NE(window, 0u) << readFile(dir_ + "/err");
    press(window, keys);
    for (int i = 0; i < 100 && keyLines(file_) < recorded; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
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
      {"--resume {f}", "", "", 1, "no display found"},
      {"--resume {f}", Recorded + "key 1", Recorded, 1, "no display found"},
      {"--resume {f}", Header.substr(0, 9), "", 1, "no display found"},
      {"--resume {f}", "SELECT 1\n", "SELECT 1\n", 2,
       "velmora: {f} is not a key recording made with --record (line 1); it was left as it is\n"},
      {"--resume {f}", Recorded + "key 256\n", Recorded + "key 256\n", 2, "(line 4)"},
      {"--resume {f}", Recorded + "key 0", Recorded + "key 0", 2, "(line 4)"},
      {"--resume {f}", "\n" + Recorded, "\n" + Recorded, 2, "(line 1)"},
      {"--resume {f}/x", Recorded, Recorded, 2, "cannot resume {f}/x: Not a directory"},
      {"--record {f} --resume {f}", Recorded, Recorded, 2, "cannot be used together"},
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

TEST_F(Recording, AFailedWriteIsToldOnceAndCounted) {
  prepareHeadlessForm();
  std::string error;
  ASSERT_TRUE(startKeyRecording("/dev/full", &error)) << error;
  testing::internal::CaptureStderr();
  for (uint16_t key : {KeyUp, KeyDown}) {
    if (KeyPressHook) KeyPressHook(key);
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "message box: Cannot write the recording /dev/full: No space left on device. The game "
            "goes on, but no more key presses are recorded.\n");
  stopKeyRecording();
  ASSERT_TRUE(keyRecordingFailed(&error));
  EXPECT_EQ(error,
            "/dev/full holds 0 key presses of this game; the rest were not recorded: "
            "No space left on device");
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
  EXPECT_EQ(sitting("--record", "a Down Right Down Return Right Right", 7, true), -1);
  std::ofstream(file_, std::ios::app) << "key 1";  // a write the kill cut short
  EXPECT_EQ(sitting("--resume", "Right Right Right Down space Tab Left Left", 15, false), 0);
  EXPECT_EQ(sitting("--resume", "Left Left Left Left Up Up space Up", 23, false), 0);

  const HeadlessRun resumed = runVelmora("--headless {script}", readFile(file_) + "state\n");
  const HeadlessRun inOneGo = runHeadless(
      "key 65 Down Right Down Enter Right Right Right Right Right Down Space Tab Left Left Left\n"
      "key Left Left Left Up Up Space Up\nstate\n");
  ASSERT_EQ(resumed.states.size(), 1u) << resumed.err << readFile(file_);
  EXPECT_EQ(resumed.states, inOneGo.states);
  EXPECT_EQ(inOneGo.states[0]["last"], "SELECT ");
}

TEST_F(WindowRecording, AFullDiskEndsTheGameWithStatusOne) {
  const pid_t game = x_.spawn({VELMORA_EXECUTABLE, "--record", "/dev/full"}, {}, dir_ + "/err");
  const unsigned long window = x_.waitForWindow(Caption, 20);
  ASSERT_NE(window, 0u);
  press(window, "a");
  // Where the X server lacks the box's fonts, its text goes to standard error.
  for (int i = 0; i < 50 && readFile(dir_ + "/err").empty(); ++i) {
    if (const unsigned long box = x_.waitForWindow("Recording stopped", 0.2)) {
      x_.requestClose(box);
      break;
    }
  }
  press(window, "Down Down");
  x_.requestClose(window);
  EXPECT_EQ(waitForExit(game, 20), 1);
  const std::string err = readFile(dir_ + "/err");
  EXPECT_EQ(err.substr(err.find("velmora: ")),
            "velmora: /dev/full holds 0 key presses of this game; the rest were not recorded: "
            "No space left on device\n");
}

}  // namespace
