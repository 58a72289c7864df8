// The state folder's life: sittings, continues, pruning, planted links, a
// folder that cannot be made or fills up.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/game_saves.h"
#include "app/key_recorder.h"
#include "headless/script_keys.h"
#include "tests/support/form_fixture.h"
#include "tests/support/headless_run.h"
#include "ui/main_window.h"

namespace fs = std::filesystem;

namespace {

const std::string Header = "# velmora key recording: replay with velmora --headless FILE\n";

std::string recording(const std::vector<uint16_t>& keys) {
  std::string text = Header;
  for (uint16_t k : keys) text += "key " + std::to_string(k) + "\n";
  return text;
}

// The committed won game as a recording.
std::string wonRecording() {
  std::vector<uint8_t> keys;
  showFreshTitle();
  EXPECT_EQ(headless::collectScriptKeys(sourceFile("tests/scripts/winning_game.txt"), &keys), 0);
  return recording(std::vector<uint16_t>(keys.begin(), keys.end()));
}

class Saves : public testing::Test {
 protected:
  void SetUp() override {
    prepareHeadlessForm();
    setFormDrawing(false);
    home_ = scratchFolder("saves");
    ASSERT_NE(home_, "");
    folder_ = home_ + "/velmora";
    setenv("XDG_STATE_HOME", home_.c_str(), 1);
  }
  void TearDown() override {
    stopKeyRecording();
    setFormDrawing(true);
    fs::remove_all(home_);
  }
  // The game files of the folder, by name.
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    if (!fs::is_directory(fs::symlink_status(folder_))) return names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // Writes a game file changed `age` seconds ago.
  void plant(const std::string& name, const std::string& text, int age) {
    const std::string path = folder_ + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    const timespec when[2] = {{std::time(nullptr) - age, 0}, {std::time(nullptr) - age, 0}};
    utimensat(AT_FDCWD, path.c_str(), when, 0);
  }
  void play(std::initializer_list<uint16_t> keys) {
    for (uint16_t k : keys) recordKeyPress(k);
    stopKeyRecording();
  }

  std::string home_, folder_;
};

// One sitting after another, each row on what the rows before it left.
TEST_F(Saves, TheFoldersLife) {
  std::string error;
  std::string worlds;
  std::vector<uint16_t> keys;
  // A new game: the folder is made for the player alone, the game kept.
  ASSERT_TRUE(startSavedGame(&error)) << error;
  struct stat info {};
  ASSERT_EQ(lstat(folder_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  play({65, 13, 40});
  ASSERT_EQ(files().size(), 1u);
  const std::string first = folder_ + "/" + files()[0];
  EXPECT_EQ(readFile(first), recording({65, 13, 40}));
  EXPECT_EQ(files()[0].rfind("game-", 0), 0u);
  // A sitting without a key leaves no file.
  ASSERT_TRUE(startSavedGame(&error)) << error;
  play({});
  EXPECT_EQ(files().size(), 1u);
  // Nor does one whose window never opens.
  EXPECT_EQ(
      runVelmora("", "", {"XDG_STATE_HOME=" + home_ + " env -u DISPLAY -u WAYLAND_DISPLAY"}).status,
      1);
  EXPECT_EQ(files().size(), 1u);
  // Continue: the game's keys, then the new ones after them.
  ASSERT_EQ(continueSavedGame(&keys, "", &worlds, &error), ContinueOutcome::Resumed) << error;
  EXPECT_EQ(keys, (std::vector<uint16_t>{65, 13, 40}));
  // Meanwhile no other sitting can take it.
  const HeadlessRun second =
      runVelmora("--continue", "", {"XDG_STATE_HOME=" + home_ + " env -u DISPLAY", false});
  EXPECT_EQ(second.status, 2) << second.err;
  EXPECT_NE(second.err.find("cannot resume " + first + ": another game holds it"),
            std::string::npos)
      << second.err;
  play({38});
  EXPECT_EQ(readFile(first), recording({65, 13, 40, 38}));
  // A won game is never continued, nor a sitting killed before its first key
  // (its file empty, or the header alone): the last unfinished one is, and
  // the keyless files go.
  plant("game-20990101-000000.keys", wonRecording(), 0);
  plant("game-20990102-000000.keys", "", -60);
  plant("game-20990103-000000.keys", Header, -60);
  ASSERT_EQ(continueSavedGame(&keys, "", &worlds, &error), ContinueOutcome::Resumed) << error;
  EXPECT_EQ(keys.size(), 4u);
  EXPECT_EQ(files().size(), 2u);
  play({});
  // Nothing unfinished left: a new game, said so.
  fs::remove(first);
  EXPECT_EQ(continueSavedGame(&keys, "", &worlds, &error), ContinueOutcome::NoneLeft);
  EXPECT_TRUE(keys.empty()) << "the won game's keys would be replayed";
  EXPECT_NE(error.find("no unfinished game to continue in " + folder_), std::string::npos);
}

// The newest SavedGamesKept finished games stay; older finished ones go; an
// unfinished game, a file held by a sitting, a file that is no recording and
// a file not named as ours stay, however old.
TEST_F(Saves, OnlyOldFinishedGamesArePruned) {
  fs::create_directory(folder_);
  const std::string won = wonRecording();
  for (int i = 0; i < SavedGamesKept + 3; ++i)
    plant("game-won-" + std::to_string(100 + i) + ".keys", won, 1000 - i);
  plant("game-old-unfinished.keys", recording({65, 40}), 5000);
  plant("game-not-ours.keys", "SELECT 1\n", 5000);
  plant("notes.txt", won, 5000);
  plant("game-held.keys", won, 5000);
  const int held = open((folder_ + "/game-held.keys").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  std::string error;
  std::string worlds;
  ASSERT_TRUE(startSavedGame(&error)) << error;
  play({});
  close(held);
  const std::vector<std::string> left = files();
  EXPECT_EQ(left.size(), size_t(SavedGamesKept + 4)) << testing::PrintToString(left);
  for (const char* gone : {"game-won-100.keys", "game-won-101.keys", "game-won-102.keys"})
    EXPECT_EQ(std::count(left.begin(), left.end(), gone), 0) << gone;
  for (const char* kept : {"game-won-103.keys", "game-won-122.keys", "game-old-unfinished.keys",
                           "game-not-ours.keys", "notes.txt", "game-held.keys"})
    EXPECT_EQ(std::count(left.begin(), left.end(), kept), 1) << kept;
}

// What is planted in the folder's place or a file's is never written through.
TEST_F(Saves, LinksPlantedAreNeverFollowed) {
  const std::string elsewhere = home_ + "/elsewhere";
  fs::create_directory(elsewhere);
  fs::create_directory_symlink(elsewhere, folder_);
  std::string error;
  std::string worlds;
  EXPECT_FALSE(startSavedGame(&error));
  EXPECT_NE(error.find("it is a symbolic link"), std::string::npos) << error;
  std::vector<uint16_t> keys;
  EXPECT_EQ(continueSavedGame(&keys, "", &worlds, &error), ContinueOutcome::Unrecorded);
  EXPECT_TRUE(fs::is_empty(elsewhere));
  // A link under each name this second and the next can give.
  fs::remove(folder_);
  fs::create_directory(folder_);
  const std::string target = elsewhere + "/target";
  for (int ahead = 0; ahead < 3; ++ahead) {
    const std::time_t when = std::time(nullptr) + ahead;
    std::tm local{};
    localtime_r(&when, &local);
    char name[64];
    std::strftime(name, sizeof name, "/game-%Y%m%d-%H%M%S.keys", &local);
    fs::create_symlink(target, folder_ + name);
  }
  ASSERT_TRUE(startSavedGame(&error)) << error;
  play({65});
  EXPECT_FALSE(fs::exists(target));
  int plain = 0;
  for (const auto& entry : fs::directory_iterator(folder_))
    plain += fs::is_regular_file(entry.symlink_status()) ? 1 : 0;
  EXPECT_EQ(plain, 1);
  // A folder of another user's is not the player's (only root can make one).
  fs::remove_all(folder_);
  fs::create_directory(folder_);
  if (chown(folder_.c_str(), 65534, 65534) == 0) {
    EXPECT_FALSE(startSavedGame(&error));
    EXPECT_NE(error.find("it belongs to another user"), std::string::npos) << error;
  }
}

// A folder that cannot be made is told in one line and the game goes on
// unrecorded (the program's status is then 1: a game that was to be kept
// was not); a folder that fills up is told once when a write fails.
TEST_F(Saves, AnUnwritableFolderIsToldOnce) {
  const HeadlessRun run =
      runVelmora("", "", {"XDG_STATE_HOME=/dev/null/x env -u DISPLAY -u WAYLAND_DISPLAY"});
  EXPECT_EQ(run.err.find("velmora: cannot make the state folder /dev/null/x/velmora: Not a "
                         "directory; the game is not recorded\n"),
            0u)
      << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
  // Full: writes past a file size limit of nothing fail as on a full disk.
  std::string error;
  std::string worlds;
  ASSERT_TRUE(startSavedGame(&error)) << error;
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  rlimit none = before;
  none.rlim_cur = 0;
  setrlimit(RLIMIT_FSIZE, &none);
  // Standard error into a pipe: no file can be written under this limit.
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const int savedError = dup(2);
  dup2(pipeEnds[1], 2);
  recordKeyPress(65);
  recordKeyPress(66);  // told once: recording has stopped
  dup2(savedError, 2);
  close(savedError);
  close(pipeEnds[1]);
  setrlimit(RLIMIT_FSIZE, &before);
  char buffer[1024];
  const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
  close(pipeEnds[0]);
  const std::string said(buffer, got > 0 ? size_t(got) : 0);
  EXPECT_EQ(said.find("velmora: Cannot write the recording " + folder_), 0u) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_TRUE(keyRecordingFailed(&error));
  EXPECT_EQ(error, "");  // already told
  stopKeyRecording();
  EXPECT_TRUE(files().empty());
}

}  // namespace
