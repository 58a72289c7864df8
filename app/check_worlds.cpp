// velmora --check-worlds FILE [--preview DIR] [--solve FILE.keys]: what an
// author learns of a world file before sharing it. The file is read and
// checked by the rules (worlds/), its floors drawn by the form's tiles, and
// the planner's winning game proved by playing its keys from the title
// before they are written as --record writes them.
#include "app/check_worlds.h"

#include <unistd.h>

#include <cstdio>
#include <vector>

#include "app/key_recorder.h"
#include "game/game_state.h"
#include "headless/script_keys.h"
#include "headless/script_lines.h"
#include "headless/standard_output.h"
#include "platform/application.h"
#include "ui/exit_status.h"
#include "ui/form_start.h"
#include "ui/played_worlds.h"
#include "ui/world_load.h"
#include "ui/world_preview.h"
#include "worlds/world_check.h"
#include "worlds/world_identity.h"
#include "worlds/world_solver.h"

namespace {

std::string cellText(MapCell cell) {
  return "(" + std::to_string(cell.x) + ", " + std::to_string(cell.y) + ")";
}

// The report: title, author, identity, each chara's way, the waiting game.
std::string reportOf(const WorldFile& file) {
  std::string out = "title: " + file.title + "\nauthor: " + file.author +
                    "\nidentity: " + worldsIdentity(file) + "\n";
  for (int w = 1; w <= CharaWorlds; ++w) {
    const WorldReach reach = checkReach(file, w);
    out += "world " + std::to_string(w) + ": start " + cellText(reach.start) + ", goal " +
           cellText(reach.goal) + ": " + goalReachText(reach.reach) + "\n";
  }
  const WaitingGame waiting = playWaitingGame(file);
  if (waiting.won) {
    out += "waiting: won on turn " + std::to_string(waiting.turns) + ", score " +
           std::to_string(waiting.score) + "\n";
  } else {
    out += "waiting: not won in " + std::to_string(ScoreBudget) + " turns\n";
  }
  return out;
}

// The search's progress on a terminal, rewritten in place.
void showProgress(void*, int stage, int turn, long best) {
  std::fprintf(stderr,
               "\rvelmora: searching (%s) turn %d, the best game's distance to the goals %ld ",
               stage == 1 ? "world 3 alone" : "all worlds", turn, best / 2);
}

ExitStatus writePreviews(const WorldFile& file, const std::string& dir) {
  std::vector<std::string> written, skipped;
  std::string error;
  const bool ok = writeWorldPreviews(file, dir, &written, &skipped, &error);
  for (const std::string& floor : skipped)
    std::fprintf(stderr, "velmora: %s has no tile set: not drawn\n", floor.c_str());
  for (const std::string& path : written)
    std::fprintf(stderr, "velmora: wrote %s\n", headless::printable(path, 4096).c_str());
  if (ok) return ExitOk;
  std::fprintf(stderr, "velmora: %s\n", headless::printable(error, 4096).c_str());
  return ExitFailed;
}

// Searches, proves and writes the winning game. The recording is opened
// first, so that a file that may not be written is refused before the search.
ExitStatus solve(const WorldFile& file, const std::string& keysPath) {
  // A goal no statement can open a way to: no game wins, and the search
  // would spend its whole time finding that out.
  for (int w = 1; w <= CharaWorlds; ++w) {
    if (checkReach(file, w).reach == ReachNever) {
      std::fprintf(stderr, "velmora: world %d: the chara cannot reach its goal, so no game wins\n",
                   w);
      return ExitFailed;
    }
  }
  std::string error;
  if (!startKeyRecording(keysPath.c_str(), &error)) {
    std::fprintf(stderr, "velmora: %s\n", headless::printable(error, 4096).c_str());
    return ExitRefused;
  }
  // A file that gets no key (no win found) does not stay behind.
  makeRecordingAutomatic();
  SolveProgress progress;
  if (::isatty(STDERR_FILENO)) progress.report = showProgress;
  const SolvedGame solved = solveWorlds(file, planner::SearchOptions{}, progress);
  if (progress.report) std::fputs("\n", stderr);
  if (!solved.plan.won) {
    stopKeyRecording();
    std::fprintf(stderr, "velmora: the planner found no win within %d turns\n",
                 planner::SearchOptions{}.maxTurns);
    return ExitFailed;
  }
  // The proof: the script's keys, typing included, played from the title on
  // the file's worlds, must win as planned.
  // Played as given, so that the recording names the worlds it wins on.
  giveWorlds(&file);
  restartForm();
  std::vector<uint8_t> keys;
  const bool won =
      headless::collectScriptKeys(solved.script, &keys) == ExitOk && GameMode == ModeCleared;
  const std::string strip = StatusText;
  if (!won) {
    stopKeyRecording();
    std::fprintf(stderr, "velmora: the planned game does not win when played (%s)\n",
                 strip.c_str());
    return ExitFailed;
  }
  for (uint8_t key : keys) recordKeyPress(key);
  stopKeyRecording();
  giveWorlds(nullptr);
  if (keyRecordingFailed(&error)) return ExitFailed;
  std::fprintf(stderr, "velmora: %s after %zu turns, %d statements; wrote %s\n", strip.c_str(),
               solved.plan.actions.size(), solved.statements,
               headless::printable(keysPath, 4096).c_str());
  return ExitOk;
}

}  // namespace

ExitStatus checkWorldsCommand(const std::string& path, const std::string& previewDir,
                              const std::string& solvePath) {
  WorldFile file;
  WorldFileError error;
  if (!loadWorldFile(path, &file, &error)) {
    std::fprintf(stderr, "%s\n", error.message().c_str());
    return ExitRefused;
  }
  return checkWorldFile(file, previewDir, solvePath);
}

ExitStatus checkWorldFile(const WorldFile& file, const std::string& previewDir,
                          const std::string& solvePath) {
  // The form starts only for what needs it: pictures for the previews, the
  // headless driver for the proof of a solved game.
  if (!previewDir.empty() || !solvePath.empty()) {
    FormStart start;
    start.pictures = !previewDir.empty();
    startForm(start);
  }
  ExitStatus status = writeStandardOutput(reportOf(file)) ? ExitOk : ExitFailed;
  if (status == ExitOk && !previewDir.empty()) status = writePreviews(file, previewDir);
  if (status == ExitOk && !solvePath.empty()) status = solve(file, solvePath);
  if (!previewDir.empty() || !solvePath.empty()) platform::Application.shutdown();
  return status;
}
