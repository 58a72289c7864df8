// The state folder's recordings: making the folder (the player's alone,
// never through a link), naming each new game's file, judging which games are
// finished by replaying their keys without drawing, removing the old finished
// ones and finding the game to continue. The files are written by the key
// recorder, with its lock and its rules.
#include "app/game_saves.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "app/key_recorder.h"
#include "platform/state_folder.h"
#include "ui/game_resume.h"
#include "ui/played_worlds.h"

namespace {

constexpr int NameTries = 100;  // game-...-2.keys to game-...-99.keys

struct SavedGame {
  std::string path;
  timespec changed{};
};

bool makeFolder(const std::string& folder, std::string* error) {
  return platform::makeOwnFolder(folder, "state folder", error);
}

bool isGameName(const char* name) {
  const size_t length = std::strlen(name);
  return length > 10 && std::strncmp(name, "game-", 5) == 0 &&
         std::strcmp(name + length - 5, ".keys") == 0;
}

// The game files of `folder`, plain files only, the last changed first.
std::vector<SavedGame> savedGames(const std::string& folder) {
  std::vector<SavedGame> games;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return games;
  while (const dirent* entry = ::readdir(dir)) {
    if (!isGameName(entry->d_name)) continue;
    SavedGame game{folder + "/" + entry->d_name, {}};
    struct stat info {};
    if (::lstat(game.path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    game.changed = info.st_mtim;
    games.push_back(game);
  }
  ::closedir(dir);
  std::sort(games.begin(), games.end(), [](const SavedGame& a, const SavedGame& b) {
    if (a.changed.tv_sec != b.changed.tv_sec) return a.changed.tv_sec > b.changed.tv_sec;
    if (a.changed.tv_nsec != b.changed.tv_nsec) return a.changed.tv_nsec > b.changed.tv_nsec;
    return a.path > b.path;
  });
  return games;
}

// Removes the game file at `path` unless a game holds it now.
void removeGame(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
  ::close(fd);
}

// Whether `keys` win the game on the worlds `worlds` names ("" the built-in
// ones); a game whose worlds have no copy left is never called finished.
bool gameWon(const std::vector<uint16_t>& keys, const std::string& worlds) {
  const NamedWorldsScope played(namedIdentity(worlds));
  return played.ready() && keysWinGame(keys);
}

// Removes the finished games past the newest SavedGamesKept finished ones.
void pruneFinishedGames(const std::string& folder) {
  int finished = 0;
  std::vector<uint16_t> keys;
  std::string worlds;
  for (const SavedGame& game : savedGames(folder)) {
    if (!readKeyRecording(game.path.c_str(), &keys, &worlds)) continue;  // not ours
    if (!gameWon(keys, worlds)) continue;
    if (finished >= SavedGamesKept) {
      removeGame(game.path);
    } else {
      ++finished;
    }
  }
}

// "game-YYYYMMDD-HHMMSS" of the present local time.
std::string nameOfNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char name[40];
  std::strftime(name, sizeof name, "game-%Y%m%d-%H%M%S", &local);
  return name;
}

}  // namespace

bool startSavedGame(std::string* error) {
  const std::string folder = platform::stateFolderPath();
  if (folder.empty()) {
    *error = "no state folder to record the game in: neither XDG_STATE_HOME nor HOME is set";
    return false;
  }
  if (!makeFolder(folder, error)) return false;
  pruneFinishedGames(folder);
  const std::string base = folder + "/" + nameOfNow();
  for (int n = 1; n < NameTries; ++n) {
    const std::string path = base + (n == 1 ? "" : "-" + std::to_string(n)) + ".keys";
    bool exists = false;
    if (createKeyRecording(path.c_str(), &exists, error)) {
      makeRecordingAutomatic();
      return true;
    }
    if (!exists) return false;
  }
  *error = "cannot record to " + base + ".keys: every name of this second is taken";
  return false;
}

ContinueOutcome continueSavedGame(std::vector<uint16_t>* keys, const std::string& wanted,
                                  std::string* worlds, std::string* error) {
  const std::string folder = platform::stateFolderPath();
  if (folder.empty()) {
    *error = "no state folder to continue a game from: neither XDG_STATE_HOME nor HOME is set";
    return ContinueOutcome::Unrecorded;
  }
  if (!makeFolder(folder, error)) return ContinueOutcome::Unrecorded;
  for (const SavedGame& game : savedGames(folder)) {
    if (!readKeyRecording(game.path.c_str(), keys, worlds)) continue;
    // A sitting killed before its first key leaves a file with none: there is
    // nothing in it to go on with, and it would hide the game before it.
    if (keys->empty()) {
      removeGame(game.path);
      continue;
    }
    // Worlds given: only a game played on them goes on.
    if (!wanted.empty() && namedIdentity(*worlds) != wanted) continue;
    const NamedWorldsScope played(namedIdentity(*worlds));
    if (!played.ready() || keysWinGame(*keys)) continue;
    if (!resumeKeyRecording(game.path.c_str(), keys, worlds, error))
      return ContinueOutcome::Refused;
    makeRecordingAutomatic();
    return ContinueOutcome::Resumed;
  }
  keys->clear();
  *error = "no unfinished game to continue in " + folder + "; a new game starts";
  return ContinueOutcome::NoneLeft;
}
