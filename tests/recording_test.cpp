// A recording is never lost: --record refuses a file that holds anything,
// --resume refuses what is no recording and drops only an unfinished last
// line. (Three sittings and a failed write, in a real window: window_test.sh.)
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

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
    char pattern[] = "/tmp/velmora-recording-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    file_ = dir_ + "/game.keys";
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

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

}  // namespace
