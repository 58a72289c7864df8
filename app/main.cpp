// The velmora program: starts the application with its one form, then plays
// in the window until it is closed, or runs a headless script.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/check_worlds.h"
#include "app/daily_command.h"
#include "app/game_saves.h"
#include "app/key_recorder.h"
#include "app/options.h"
#include "app/replay_link.h"
#include "app/window_icon.h"
#include "app/world_edit_run.h"
#include "game/game_state.h"
#include "headless/headless_script.h"
#include "headless/movie_capture.h"
#include "headless/script_keys.h"
#include "headless/script_lines.h"
#include "headless/standard_output.h"
#include "platform/application.h"
#include "platform/safe_file.h"
#include "ui/exit_status.h"
#include "ui/form_start.h"
#include "ui/game_resume.h"
#include "ui/played_worlds.h"
#include "ui/replay_summary.h"
#include "ui/replay_watch.h"
#include "ui/session.h"
#include "worlds/world_file.h"
#include "worlds/world_identity.h"

namespace {

// The worlds of --worlds, or those a recording to be continued names; none:
// the built-in worlds, unless a script names others.
std::optional<WorldFile> givenWorlds;

// Starts the form on `backend`, whose creation shows the title. Without
// `pictures` nothing is loaded to draw with and the form's drawing is set
// aside from the start.
void startUp(platform::Backend backend, const Options& options, bool pictures = true) {
  FormStart start;
  start.backend = backend;
  // In fullscreen the screen picks the enlargement; a --scale given caps it.
  start.window.scale = options.fullscreen && !options.scaleGiven ? 0 : options.scale;
  start.window.fullscreen = options.fullscreen;
  start.pictures = pictures;
  // Typing sits in front of the game: the grid keys it presses are recorded
  // and played as any key of the window is.
  start.typing = !options.gridOnly;
  start.keyPlayed = recordKeyPress;
  // Only a window has an icon; decoding it headless would load the pictures.
  if (backend == platform::Backend::Window) start.beforeWindow = [] { setGameWindowIcon(); };
  if (givenWorlds) start.worlds = &*givenWorlds;
  if (!options.editPath.empty()) prepareEditorStart(&start);
  startForm(start);
  // The worlds' lines of a recording are made now rather than on its first key.
  worldsLines();
  if (!options.editPath.empty()) openEditorOnFile();
}

// A standard descriptor the caller closed is held by /dev/null opened the
// wrong way round, so reading or writing it fails as a closed one does, and
// no file the game opens later takes its number.
void holdClosedStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int held = ::open("/dev/null", (fd == 0 ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
}

// Prints `text` and a newline on standard output; says so when they are lost.
ExitStatus printed(const std::string& text) {
  return writeStandardOutput(text + "\n") ? ExitOk : ExitFailed;
}

// Opens the script of `path` ("" or "-": standard input) for reading, or
// says why it cannot and returns -1. A FIFO is waited on as any script is:
// its writer drives the game.
int openScript(const std::string& path, const char** name) {
  if (path.empty() || path == "-") {
    *name = "standard input";
    return STDIN_FILENO;
  }
  *name = path.c_str();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    std::fprintf(stderr, "velmora: cannot read script %s: %s\n", path.c_str(),
                 std::strerror(errno));
  }
  return fd;
}

// The script a link or a watch is made from, read whole, as the keys of
// `type` are known only once the script has played: a plain file (or
// standard input, "-") of at most a script's limit. False, with the reason
// told, when it cannot be read.
bool readWholeScript(const std::string& path, std::string* script) {
  std::string reason;
  const bool fromInput = path.empty() || path == "-";
  if (fromInput
          ? platform::readWholeStream(STDIN_FILENO, platform::ScriptLimit, script, &reason)
          : platform::readWholeFile(path.c_str(), platform::ScriptLimit, true, script, &reason)) {
    return true;
  }
  std::fprintf(stderr, "velmora: cannot read script %s: %s\n",
               fromInput ? "standard input" : headless::printable(path, 200).c_str(),
               reason.c_str());
  return false;
}

// A recording to be shared or linked may name a day this computer has no
// copy of: the day is made again from it, unless worlds were given.
ExitStatus takeRecordedDay(const Options& options, std::string_view script) {
  if (options.daily || !options.worldsPath.empty()) return ExitOk;
  WorldFile day;
  switch (makeRecordedDay(script, &day)) {
    case RecordedDay::NotNamed:
      return ExitOk;
    case RecordedDay::Made:
      givenWorlds = std::move(day);
      return ExitOk;
    case RecordedDay::Refused:
      break;
  }
  return ExitRefused;
}

// The page a link plays on: --page URL, or the game's own.
std::string pageUrlOf(const Options& options) {
  return options.pageUrl.empty() ? DefaultPageUrl : options.pageUrl;
}

// velmora --link FILE: the script's keys as one web address.
ExitStatus printLink(const Options& options) {
  std::string script;
  if (!readWholeScript(options.linkPath, &script)) return ExitRefused;
  if (const ExitStatus status = takeRecordedDay(options, script); status != ExitOk) return status;
  startUp(platform::Backend::Headless, options, false);
  const ExitStatus status = printReplayLink(script, pageUrlOf(options));
  platform::Application.shutdown();
  return status;
}

// velmora --link-worlds FILE: the world file alone as one web address.
ExitStatus printWorldsFileLink(const Options& options) {
  WorldFile file;
  std::string error;
  if (!loadWorldsFile(options.linkWorldsPath, &file, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return ExitRefused;
  }
  return printWorldsLink(file, pageUrlOf(options));
}

// Reads and checks the world file of --worlds before anything is played, and
// says which worlds are played.
bool loadGivenWorlds(const Options& options) {
  // --daily stands for the day's world file wherever --worlds FILE stands.
  if (options.daily) {
    WorldFile day;
    if (!makeDayWorlds(options.dailyDate, &day)) return false;
    tellWorlds(day);
    givenWorlds = std::move(day);
    return true;
  }
  if (options.worldsPath.empty()) return true;
  WorldFile file;
  std::string error;
  if (!loadWorldsFile(options.worldsPath, &file, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  tellWorlds(file);
  givenWorlds = std::move(file);
  return true;
}

// A recording to go on with names the worlds it was played on: those given
// must be they (any will do for a recording without a key), and without any
// given they are the state folder's copy.
bool takeRecordingWorlds(const std::string& path, const std::string& worlds, bool empty) {
  const std::string wanted = namedIdentity(worlds);
  if (givenWorlds) {
    if (empty) return true;
    if (worldsIdentity(*givenWorlds) == wanted) return true;
    std::fprintf(stderr,
                 "velmora: %s was played on other worlds (%s) than the ones given (%s); it was "
                 "left as it is\n",
                 path.c_str(), wanted.c_str(), worldsIdentity(*givenWorlds).c_str());
    return false;
  }
  if (worlds.empty()) return true;
  WorldFile copy;
  if (!findWorldsCopy(worlds, &copy)) {
    std::fprintf(stderr,
                 "velmora: %s was played on worlds this computer has no copy of (%s): give their "
                 "world file with --worlds FILE\n",
                 path.c_str(), worlds.c_str());
    return false;
  }
  tellWorlds(copy);
  givenWorlds = std::move(copy);
  return true;
}

// A window game on a world file keeps a copy of it in the state folder, so
// that its recording plays after the file has moved.
void keepPlayedWorlds(const Options& options) {
  const WorldFile* worlds = playedWorldFile();
  if (!worlds || options.noSave) return;
  std::string error;
  if (keepWorldsCopy(*worlds, &error)) return;
  std::fprintf(stderr, "velmora: %s\n", error.c_str());
  Session.recording.unsaved = true;
}

// velmora --watch FILE: the keys of FILE's game, collected without a
// window, so that a bad FILE is refused as --headless refuses it before any
// window opens. The game is then as fresh as a new program's.
ExitStatus collectWatchedKeys(const Options& options, std::vector<uint8_t>* keys) {
  std::string script;
  if (!readWholeScript(options.watchPath, &script)) return ExitRefused;
  startUp(platform::Backend::Headless, options, false);
  const ExitStatus status = headless::collectScriptKeys(script, keys);
  // The worlds the script named are the ones the window plays it on.
  if (const WorldFile* worlds = playedWorldFile(); worlds && !givenWorlds) givenWorlds = *worlds;
  platform::Application.shutdown();
  resetAllState();
  resetSession();
  return status;
}

// Writes the movie the script has played, or says why it could not.
ExitStatus finishedMovie(const Options& options, ExitStatus status) {
  std::string error;
  // A movie is of a whole script; one that failed leaves nothing behind.
  if (status != ExitOk) {
    headless::abandonMovie();
    return status;
  }
  if (headless::finishMovie(&error)) return status;
  std::fprintf(stderr, "velmora: cannot write %s: %s\n", options.moviePath.c_str(), error.c_str());
  return ExitFailed;
}

// --share after a script: a won day's line, then the link that plays the
// game; anything else gets the summary line and status 1.
ExitStatus printShare(const Options& options, std::string_view script) {
  const ReplayTally& tally = replayTally();
  const WorldFile* worlds = playedWorldFile();
  DailyName day;
  if (!tally.won || !worlds || !isDailyWorld(*worlds, &day)) {
    const ExitStatus status = printed(summaryLine(tally));
    std::fprintf(stderr, "velmora: only a won game of a day's world is shared\n");
    return status == ExitOk ? ExitFailed : status;
  }
  if (printed(dailyShareLine(day.date, tally.score, tally.statements)) != ExitOk) return ExitFailed;
  return printReplayLink(script, pageUrlOf(options));
}

// Plays the script of options.scriptPath without a window.
ExitStatus runHeadless(const Options& options) {
  std::string shared;
  int fd = -1;
  const char* name = nullptr;
  if (options.share) {
    if (!readWholeScript(options.scriptPath, &shared)) return ExitRefused;
    if (const ExitStatus status = takeRecordedDay(options, shared); status != ExitOk) return status;
  } else if (fd = openScript(options.scriptPath, &name); fd < 0) {
    return ExitRefused;
  }
  const auto closeScript = [fd] {
    if (fd >= 0 && fd != STDIN_FILENO) ::close(fd);
  };
  const bool editing = !options.editPath.empty();
  ExitStatus refused = ExitOk;
  if (editing && !beginEditing(options, &refused)) {
    closeScript();
    return refused;
  }
  // Nothing is loaded or drawn until the script asks for its first picture,
  // unless every turn is to be filmed (or the editor's screen is shown).
  const bool movie = !options.moviePath.empty();
  startUp(platform::Backend::Headless, options, movie || editing);
  std::string error;
  if (movie && !headless::startMovie(options.moviePath, &error)) {
    std::fprintf(stderr, "velmora: cannot write %s: %s\n", options.moviePath.c_str(),
                 error.c_str());
    closeScript();
    platform::Application.shutdown();
    return ExitRefused;
  }
  const KeyWatcher watcher = movie ? headless::movieKeys() : KeyWatcher{};
  std::istringstream sharedLines(shared);
  ExitStatus status = options.share ? headless::runScript(sharedLines, watcher)
                                    : headless::runScriptFrom(fd, name, watcher);
  closeScript();
  if (movie) status = finishedMovie(options, status);
  // Only a script that ran to its end is a game worth summing up.
  if (options.summary && status == ExitOk) {
    status = printed(summaryLine(replayTally()));
  }
  if (options.share && status == ExitOk) status = printShare(options, shared);
  if (editing) status = endEditing(status);
  platform::Application.shutdown();
  return status;
}

// A recording opened to go on with is played on the worlds it names, or is
// put down again, refused.
bool goOnWithWorlds(const std::string& path, const std::string& worlds,
                    const std::vector<uint16_t>& keys, ExitStatus* status) {
  if (takeRecordingWorlds(path, worlds, keys.empty())) return true;
  stopKeyRecording();
  *status = ExitRefused;
  return false;
}

// Opens the recording the window's game is kept in: the file the command line
// names, or the state folder's. Returns false, with *status, when the game
// must not start; a state folder that cannot be used is told once and the
// game is played unrecorded.
bool openRecording(const Options& options, std::vector<uint16_t>* keys, ExitStatus* status) {
  std::string error;
  std::string worlds;
  if (!options.recordPath.empty() || !options.resumePath.empty()) {
    if (!options.recordPath.empty() && startKeyRecording(options.recordPath.c_str(), &error))
      return true;
    if (!options.resumePath.empty() &&
        resumeKeyRecording(options.resumePath.c_str(), keys, &worlds, &error)) {
      return goOnWithWorlds(options.resumePath, worlds, *keys, status);
    }
    std::fprintf(stderr, "velmora: %s\n", error.c_str());
    *status = ExitRefused;
    return false;
  }
  if (options.noSave) return true;
  if (options.continueGame) {
    const std::string wanted = givenWorlds ? worldsIdentity(*givenWorlds) : "";
    switch (continueSavedGame(keys, wanted, &worlds, &error)) {
      case ContinueOutcome::Resumed:
        return goOnWithWorlds("the game continued", worlds, *keys, status);
      case ContinueOutcome::Refused:
        std::fprintf(stderr, "velmora: %s\n", error.c_str());
        *status = ExitRefused;
        return false;
      case ContinueOutcome::Unrecorded:
        std::fprintf(stderr, "velmora: %s; the game is not recorded\n", error.c_str());
        Session.recording.unsaved = true;
        return true;
      case ContinueOutcome::NoneLeft:
        std::fprintf(stderr, "velmora: %s\n", error.c_str());
        break;
    }
  }
  if (!startSavedGame(&error)) {
    std::fprintf(stderr, "velmora: %s; the game is not recorded\n", error.c_str());
    Session.recording.unsaved = true;
  }
  return true;
}

// velmora --edit FILE in the window: nothing is recorded; the editor's
// end tells whether work was left unsaved.
ExitStatus runWindowEditor(const Options& options) {
  ExitStatus status = ExitOk;
  if (!beginEditing(options, &status)) return status;
  startUp(platform::Backend::Window, options);
  platform::Application.run();
  status = endEditing(ExitOk);
  platform::Application.shutdown();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader gone from a pipe is a failed write, told like any other.
  std::signal(SIGPIPE, SIG_IGN);
  // So is a write past a file size limit (ulimit -f).
  std::signal(SIGXFSZ, SIG_IGN);
  holdClosedStandardDescriptors();
  Options options;
  std::string error;
  if (!parseOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "velmora: %s\n%s\nTry 'velmora --help' for more information.\n",
                 error.c_str(), UsageLine);
    return ExitRefused;
  }
  if (options.showHelp) return printed(helpText());
  if (options.showVersion) return printed(VersionLine);

  bool shownInBox = false;
  try {
    if (options.daily && !options.exportPath.empty())
      return exportDailyWorld(options.dailyDate, options.exportPath);
    if (options.daily && options.checkWorlds) {
      WorldFile day;
      if (!makeDayWorlds(options.dailyDate, &day)) return ExitFailed;
      return checkWorldFile(day, options.previewDir, options.solvePath);
    }
    if (options.checkWorlds)
      return checkWorldsCommand(options.checkWorldsPath, options.previewDir, options.solvePath);
    if (!options.linkWorldsPath.empty()) return printWorldsFileLink(options);
    if (!loadGivenWorlds(options)) return ExitRefused;
    if (!options.linkPath.empty()) return printLink(options);
    if (options.headless) return runHeadless(options);
    std::vector<uint8_t> watchedKeys;
    if (!options.watchPath.empty()) {
      if (const ExitStatus status = collectWatchedKeys(options, &watchedKeys); status != ExitOk)
        return status;
    }
    std::vector<uint16_t> resumedKeys;
    ExitStatus status = ExitOk;
    if (!options.editPath.empty()) return runWindowEditor(options);
    if (!openRecording(options, &resumedKeys, &status)) return status;
    startUp(platform::Backend::Window, options);
    keepPlayedWorlds(options);
    playRecordedKeys(resumedKeys);
    if (!options.watchPath.empty()) {
      startWatch(std::move(watchedKeys));
      std::fprintf(stderr, "%s\n", WatchKeysHelp);
    }
    platform::Application.run();
    stopKeyRecording();
    platform::Application.shutdown();
    if (keyRecordingFailed(&error)) {
      if (!error.empty()) std::fprintf(stderr, "velmora: %s\n", error.c_str());
      return ExitFailed;
    }
    // Told when the game started; a game that was to be kept and was not is
    // a lost write.
    return Session.recording.unsaved ? ExitFailed : ExitOk;
  } catch (const platform::NoDisplayError& e) {
    stopKeyRecording();  // an automatic file that got no key goes
    std::fprintf(stderr, "velmora: %s\n", e.what());
    return ExitFailed;
  } catch (const std::exception& e) {
    stopKeyRecording();
    shownInBox = platform::Application.showException(e.what());
  } catch (...) {
    stopKeyRecording();
    shownInBox = platform::Application.showException("");
  }
  // A failure the player saw in the message box ends as a closed window does.
  // One that only reached standard error (headless, or before the window
  // system was up) must tell its caller that nothing was played.
  return shownInBox ? ExitOk : ExitFailed;
}
