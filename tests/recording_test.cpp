// What --record and --resume accept or refuse, and the recorder's keys after
// the one header. (Three sittings and a failed write: window_test.sh.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/key_recorder.h"
#include "tests/support/headless_run.h"

namespace {

const std::string Header = "# velmora key recording: replay with velmora --headless FILE\n";
const std::string Recorded = Header + "key 65\nkey 40\n";

std::string fill(std::string text, const std::string& file) {
  for (size_t at = text.find("{f}"); at != std::string::npos; at = text.find("{f}", at)) {
    text.replace(at, 3, file);
  }
  return text;
}

class Recording : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratchFolder("recording");
    ASSERT_NE(dir_, "");
    file_ = dir_ + "/game.keys";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  std::string dir_, file_;
};

// Without a display, a file accepted ends at the missing display (status 1);
// one refused ends before it (status 2).
TEST_F(Recording, FilesAreCheckedBeforeTheWindowOpens) {
  const struct {
    const char* args;
    std::string before, after;
    int status;
    const char* err;
    const char* prefix = "";  // before the program: the game's surroundings
  } cases[] = {
      {"--record {f}", Recorded, Recorded, 2,
       "velmora: {f} is not empty: continue its game with --resume {f}, or record to another name "
       "(or remove the file) to start afresh\n"},
      {"--record {f}", "", "", 1, "no display found"},
      {"--resume {f}", Recorded + "key 1", Recorded, 1, "no display found"},
      {"--resume {f}", Header.substr(0, 9), "", 1, "no display found"},
      {"--resume {f}", "SELECT 1\n", "SELECT 1\n", 2,
       "velmora: {f} is not a key recording made with --record (line 1); it was left as it is\n"},
      {"--resume {f}", Recorded + "key 255\n", Recorded + "key 255\n", 1, "no display found"},
      {"--resume {f}", Recorded + "key 256\n", Recorded + "key 256\n", 2, "(line 4)"},
      {"--resume {f}", Recorded + "key 0", Recorded + "key 0", 2, "(line 4)"},
      {"--resume {f}", Recorded + "key \n", Recorded + "key \n", 2, "(line 4)"},
      {"--resume {f}/x", Recorded, Recorded, 2, "cannot resume {f}/x: Not a directory"},
      {"--headless --resume {f}", Recorded, Recorded, 2, "--resume works only with the window"},
      {"--no-save", "", "", 1, "no display found"},
      // Only a plain file of its own, held by this game alone.
      {"--record {f}.link", "", "", 2,
       "velmora: cannot record to {f}.link: it is a symbolic link\n", "ln -s {f} {f}.link &&"},
      {"--resume {f}.link2", Recorded, Recorded, 2,
       "cannot resume {f}.link2: it is a symbolic link", "ln -s {f} {f}.link2 &&"},
      {"--record {f}.fifo", "", "", 2,
       "velmora: cannot record to {f}.fifo: No such device or address\n",
       "mkfifo {f}.fifo && timeout 10"},
      {"--record {f}.fifo2", "", "", 2,
       "velmora: cannot record to {f}.fifo2: it is not a plain file; it was left as it is\n",
       "mkfifo {f}.fifo2 && exec 3<>{f}.fifo2 && timeout 10"},
      {"--record /dev/full", "", "", 2, "cannot record to /dev/full: it is not a plain file"},
      {"--resume {f}", Recorded, Recorded, 2,
       "velmora: cannot resume {f}: another game holds it; it was left as it is\n", "flock {f}"},
      {"--record {f}", "", "", 2, "cannot record to {f}: another game holds it", "flock {f}"},
  };
  for (const auto& c : cases) {
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << c.before;
    const HeadlessRun run =
        runVelmora(fill(c.args, file_), "",
                   {fill(c.prefix, file_) + " env -u DISPLAY -u WAYLAND_DISPLAY", false});
    EXPECT_EQ(run.status, c.status) << c.args << " on " << c.before << run.err;
    EXPECT_NE(run.err.find(fill(c.err, file_)), std::string::npos) << run.err;
    EXPECT_EQ(readFile(file_), c.after) << c.args << " on " << c.before;
  }
}

// The recorder itself, as the window drives it: the keys a sitting presses
// follow what the file held, under one header, whatever a cut write left.
TEST_F(Recording, KeysFollowTheOneHeader) {
  const struct {
    std::string before;
    bool resume;
    std::string after;  // once the keys 13 and 40 are pressed
  } cases[] = {
      {"", false, Header + "key 13\nkey 40\n"},
      {Header, true, Header + "key 13\nkey 40\n"},
      {Header + "key 6", true, Header + "key 13\nkey 40\n"},
      {Header.substr(0, 20), true, Header + "key 13\nkey 40\n"},
      {"", true, Header + "key 13\nkey 40\n"},
      {Recorded + "ke", true, Recorded + "key 13\nkey 40\n"},
  };
  for (const auto& c : cases) {
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << c.before;
    std::string error;
    std::string worlds;
    std::vector<uint16_t> keys;
    ASSERT_TRUE(c.resume ? resumeKeyRecording(file_.c_str(), &keys, &worlds, &error)
                         : startKeyRecording(file_.c_str(), &error))
        << error;
    // A second game on the same file is turned away while this one holds it.
    EXPECT_FALSE(resumeKeyRecording(file_.c_str(), &keys, &worlds, &error));
    EXPECT_NE(error.find("another game holds it"), std::string::npos) << error;
    for (uint16_t key : {13, 40}) recordKeyPress(key);
    stopKeyRecording();
    EXPECT_EQ(readFile(file_), c.after) << "from " << c.before;
    EXPECT_FALSE(keyRecordingFailed(&error));
  }
}

}  // namespace
