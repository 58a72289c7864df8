// plan_winning_game: plays Velmora Keep 03 in-process, searches for a short
// game that brings all three charas to their goals, replays the plan from the
// title through the headless script runner (the keys and the grid typing the
// program itself uses) to prove it wins, and prints it as a headless script.
//
//   plan_winning_game [--width N] [--turns N] [--crowd N] [--slowest N]
//                     [--penalty N] [--ahead N] [--floor N] [--wall N]
//
// The options override the search's settings (beam_search.h); the defaults
// make tests/scripts/winning_game.txt. Progress goes to standard error.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "platform/application.h"
#include "ui/form_start.h"
#include "worlds/installed_worlds.h"
#include "worlds/world_solver.h"

namespace {

// The game as the program starts it: records zero, title shown.
void freshTitle() { restartForm(); }

bool runLines(const std::string& lines) {
  std::istringstream in(lines);
  return headless::runScript(in) == ExitOk;
}

int argValue(int argc, char** argv, const char* name, int fallback) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], name) == 0) return std::atoi(argv[i + 1]);
  }
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  planner::SearchOptions options;
  options.beamWidth = argValue(argc, argv, "--width", options.beamWidth);
  options.maxTurns = argValue(argc, argv, "--turns", options.maxTurns);
  options.costs.floorStep = argValue(argc, argv, "--floor", options.costs.floorStep);
  options.costs.wallExtra = argValue(argc, argv, "--wall", options.costs.wallExtra);
  options.slowestWeight = argValue(argc, argv, "--slowest", options.slowestWeight);
  options.lostPrivilegePenalty = argValue(argc, argv, "--penalty", options.lostPrivilegePenalty);
  options.lookAhead = argValue(argc, argv, "--ahead", options.lookAhead);
  options.perPosition = argValue(argc, argv, "--crowd", options.perPosition);
  startForm(FormStart{});

  const SolvedGame solved = solveWorlds(builtInWorldFile(), options);
  const planner::Plan& plan = solved.plan;
  if (!plan.won) {
    std::fprintf(stderr, "plan_winning_game: no win within %d turns\n", options.maxTurns);
    return 1;
  }

  const int statements = solved.statements;
  const std::string& body = solved.script;
  freshTitle();
  if (!runLines(body)) {
    std::fprintf(stderr, "plan_winning_game: the script does not run\n");
    return 1;
  }
  planner::Snapshot end;
  planner::capture(&end);
  if (GameMode != ModeCleared || !planner::sameGame(end, plan.final) ||
      std::strchr(StatusText, '=') == nullptr) {
    std::fprintf(stderr, "plan_winning_game: the replay does not end as planned (%s)\n",
                 StatusText);
    return 1;
  }

  const int* arrived = solved.arrived;
  std::printf(
      "# A won game of Velmora Keep 03, made by tools/plan_winning_game.cpp: a beam\n"
      "# search (width %d) over turns that opens walls on the charas' ways, walls off\n"
      "# side cells that would lead them astray and gives back lost UPDATE privileges;\n"
      "# world 3's reliability is never spent below zero. The planner is deterministic;\n"
      "# from the top of the tree, with BUILD a configured build directory:\n"
      "#   cmake --build BUILD --target plan_winning_game\n"
      "#   BUILD/plan_winning_game > tests/scripts/winning_game.txt\n"
      "# %zu turns, %d statements; charas 2, 3, 4 arrive on turns %d, %d, %d.\n"
      "# Expected final score: %d (\"%s\")\n",
      options.beamWidth, plan.actions.size(), statements, arrived[0], arrived[1], arrived[2],
      std::atoi(std::strchr(StatusText, '=') + 1), StatusText);
  std::fwrite(body.data(), 1, body.size(), stdout);
  std::fprintf(stderr, "%s after %zu turns, %d statements; arrivals on turns %d, %d, %d\n",
               StatusText, plan.actions.size(), statements, arrived[0], arrived[1], arrived[2]);
  platform::Application.shutdown();
  return 0;
}
