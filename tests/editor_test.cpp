// The world editor as a player meets it, driven headless by a script's key
// lines: a table of keys against the world file F2 saves, the files it
// refuses to open or to write over, a full disk, a second editor, a session
// left by a crash, and a world drawn, saved and won from the editor.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/headless_run.h"

namespace fs = std::filesystem;

namespace {

// Keys by code: G 71, S 83, C 67, W 87, Z 90, Y 89, T 84, F2 113, PageUp 33,
// PageDown 34, Escape 27.
constexpr char Save[] = "key 113\n";

// Worlds 1 to 3 each with the start (1, 1) on floor and the goal beside it.
constexpr char ThreeSmallWorlds[] =
    "key Space Right 71 Left\nkey 87\n"
    "key Space Right 71 Left\nkey 87\n"
    "key Space Right 71 Left\nkey 87 87 87\n";

class Editor : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratchFolder("editor");
    ASSERT_NE(dir_, "");
    file_ = dir_ + "/made.worlds";
  }
  void TearDown() override { fs::remove_all(dir_); }

  HeadlessRun edit(const std::string& script, const std::string& file = "",
                   const std::string& prefix = "", const std::string& more = "") {
    return runVelmora(
        "--headless --edit '" + (file.empty() ? file_ : file) + "' " + more + " {script}", script,
        RunSettings{prefix + " XDG_STATE_HOME='" + dir_ + "/state'"});
  }
  // Rows 0 to 2, cells 0 to 4, of world W floor F as saved, joined by '/'.
  std::string corner(int world, int floor) const {
    const std::string text = readFile(file_);
    const std::string heading =
        "world " + std::to_string(world) + " floor " + std::to_string(floor) + "\n";
    size_t at = text.find(heading);
    if (at == std::string::npos) return "";
    at += heading.size();
    return text.substr(at, 5) + "/" + text.substr(at + 33, 5) + "/" + text.substr(at + 66, 5);
  }

  // Whether an editor has taken the state folder's lock of a file.
  bool held() const {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir_ + "/state/velmora", error)) {
      if (entry.path().extension() != ".lock") continue;
      const int fd = open(entry.path().c_str(), O_RDONLY);
      const bool taken = flock(fd, LOCK_EX | LOCK_NB) != 0;
      close(fd);
      return taken;
    }
    return false;
  }

  std::string dir_, file_;
};

TEST_F(Editor, EachKeySavesWhatItDrew) {
  struct Case {
    const char* keys;
    int world, floor;
    const char* corner;  // "" when that floor is not written
    const char* texts;   // lines the file must hold, "" for none
  };
  const Case cases[] = {
      {"key Space Right 71\n", 1, 1, "58855/6AB45/52255", ""},
      {"key Space Right Space 90\n", 1, 1, "58555/6A455/52555", ""},
      {"key Space Right Space 90 89\n", 1, 1, "58855/6AA45/52255", ""},
      {"key Right Space Left 67\n", 1, 1, "55855/57A45/55255", ""},
      {"key Space Down Down Space Up\n", 1, 1, "58555/6A455/52555", ""},
      {"key 34 34 Space 33 Space\n", 1, 2, "58555/6A455/52555", ""},
      {"key 34 34 Space\n", 1, 3, "58555/6A455/52555", ""},
      {"key 87 Space\n", 2, 1, "58555/6A455/52555", ""},
      {"key Right Right 83\n", 1, 1, "55585/556@4/55525", ""},
      {"key 84 65 66 Space 49 Enter 67 Enter\n", 1, 1, "", "title: AB 1\nauthor: C\n"},
      {"key 84 65 8 66 Enter Enter\nkey 84 27 Space\n", 1, 1, "58555/6A455/52555", "title: B\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    fs::remove(file_);
    const HeadlessRun run = edit(std::string(c.keys) + Save);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(corner(c.world, c.floor), c.corner);
    EXPECT_NE(readFile(file_).find(c.texts), std::string::npos) << readFile(file_);
  }
}

TEST_F(Editor, StateSaysTheCellTheVerdictAndWhetherPlaying) {
  const HeadlessRun run = edit(
      "state\nkey Space Right Right Right 71\nstate\nkey Enter\nstate\n"
      "key Left Space Left Space\nstate\n");
  EXPECT_EQ(run.status, 1);
  const std::string out = run.out;
  EXPECT_NE(out.find(R"("editor":{"cell":"world 1 floor 1 x 1 y 1: wall 5, the start",)"
                     R"("verdict":"world 1: no goal","note":"","saved":true,"playing":false})"),
            std::string::npos)
      << out;
  EXPECT_NE(
      out.find(R"("verdict":"world 1: the chara reaches its goal only through walls you open")"),
      std::string::npos);
  EXPECT_NE(out.find(R"("note":"not playable: world 2 has no floor 1")"), std::string::npos) << out;
  EXPECT_NE(out.find(R"("verdict":"world 1: the chara reaches its goal without help")"),
            std::string::npos);
  EXPECT_EQ(run.err, "velmora: the changes to " + file_ + " are not saved; the next --edit " +
                         file_ + " offers them back\n");
}

TEST_F(Editor, RefusesWhatIsNoWorldFileOfItsOwn) {
  std::ofstream(dir_ + "/text.worlds") << "hello\n";
  std::ofstream(file_) << "format: 1\n";
  fs::create_symlink(file_, dir_ + "/link.worlds");
  fs::create_directory(dir_ + "/folder.worlds");
  mkfifo((dir_ + "/fifo.worlds").c_str(), 0600);
  const struct {
    std::string name, message;
  } cases[] = {
      {"text.worlds", "text.worlds:1:1: unknown heading (not a world file; it was left as it is)"},
      {"link.worlds", "cannot edit " + dir_ + "/link.worlds: it is a symbolic link"},
      {"folder.worlds", "cannot edit " + dir_ + "/folder.worlds: it is a folder, not a file"},
      {"fifo.worlds", "cannot edit " + dir_ + "/fifo.worlds: it is not a plain file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const HeadlessRun run = edit(std::string("key Space\n") + Save, dir_ + "/" + c.name);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(readFile(dir_ + "/text.worlds"), "hello\n");
  EXPECT_EQ(readFile(file_), "format: 1\n");
}

TEST_F(Editor, AFullDiskKeepsTheOldFileAndSaysSo) {
  ASSERT_EQ(edit(std::string("key Space\n") + Save).status, 0);
  const std::string old = readFile(file_);
  // Files past a block cannot be written: the next save fails (standard
  // output too, so the editor is asked nothing that prints).
  const HeadlessRun run = edit(std::string("key Right Space\n") + Save, "", "ulimit -f 1;");
  EXPECT_EQ(readFile(file_), old);
  EXPECT_NE(
      run.err.find("velmora: cannot save " + file_ + ": File too large; the old file is kept"),
      std::string::npos)
      << run.err;
  EXPECT_EQ(run.status, 1);
  // No temporary file is left beside it.
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) entries += entry.path() != dir_ + "/state";
  EXPECT_EQ(entries, 1);
}

TEST_F(Editor, ASecondEditorOfTheFileIsRefused) {
  const std::string fifo = dir_ + "/keys";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // The first editor reads its script from the FIFO: it holds the file
  // until the FIFO closes.
  std::thread holder([&] {
    runVelmora("--headless --edit '" + file_ + "' '" + fifo + "'", "",
               RunSettings{"XDG_STATE_HOME='" + dir_ + "/state'"});
  });
  const int writer = open(fifo.c_str(), O_WRONLY);
  ASSERT_GE(writer, 0);
  // Its answer to a line comes once the file is held.
  ASSERT_EQ(write(writer, "state\n", 6), 6);
  for (int tries = 0; tries < 200 && !held(); ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const HeadlessRun second = edit(Save);
  close(writer);
  holder.join();
  EXPECT_EQ(second.status, 2);
  EXPECT_EQ(second.err, "velmora: cannot edit " + file_ + ": another editor holds it\n");
  EXPECT_FALSE(fs::exists(file_));
}

TEST_F(Editor, ASessionLeftByACrashIsOfferedBack) {
  ASSERT_EQ(edit("key Space\n").status, 1);
  EXPECT_FALSE(fs::exists(file_));
  const HeadlessRun back = edit(Save);
  EXPECT_EQ(back.status, 0) << back.err;
  EXPECT_EQ(back.err, "message box: An editing session of " + file_ +
                          " ended without saving its changes. Go on with them?\n");
  EXPECT_EQ(corner(1, 1), "58555/6A455/52555");
  // Saved: nothing is left to offer.
  EXPECT_EQ(edit("").err, "");
}

TEST_F(Editor, AWorldDrawnSavedCheckedAndWonFromTheEditor) {
  // Titled ROOMS by ME (T, the letters, Enter, the letters, Enter).
  std::string script = std::string(ThreeSmallWorlds) + "key 84 82 79 79 77 83 Enter 77 69 Enter\n" +
                       Save + "key Enter Space\n";
  for (int turn = 0; turn < 4; ++turn) script += "key Up\n";
  const HeadlessRun run = edit(script, "", "", "--summary");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "won score=4997 turns=4 statements=0\n");
  const HeadlessRun check = runVelmora("--check-worlds '" + file_ + "'");
  EXPECT_EQ(check.status, 0) << check.err;
  const std::string reach = "start (1, 1), goal (2, 1): the chara reaches its goal without help\n";
  EXPECT_NE(check.out.find("title: ROOMS\nauthor: ME\nidentity: "), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("world 1: " + reach + "world 2: " + reach + "world 3: " + reach +
                           "waiting: won on turn 4, score 4997\n"),
            std::string::npos)
      << check.out;
  // The same game recorded on the saved file wins there too.
  const HeadlessRun replay = runVelmora("--worlds '" + file_ + "' --headless --summary {script}",
                                        "key Space\nkey Up\nkey Up\nkey Up\nkey Up\n",
                                        RunSettings{"XDG_STATE_HOME='" + dir_ + "/state'"});
  EXPECT_EQ(replay.status, 0) << replay.err;
  EXPECT_EQ(replay.out, "won score=4997 turns=4 statements=0\n");
  // Escape comes back to the editor where it was.
  const HeadlessRun back = edit("key Enter\nstate\nkey 27\nstate\n");
  EXPECT_NE(back.out.find(R"("cell":"world 1 floor 1 x 1 y 1: floor, the start",)"
                          R"("verdict":"world 1: the chara reaches its goal without help",)"
                          R"("note":"","saved":true,"playing":true})"),
            std::string::npos)
      << back.out;
  EXPECT_NE(back.out.find(R"("note":"back from the game","saved":true,"playing":false})"),
            std::string::npos);
}

}  // namespace
