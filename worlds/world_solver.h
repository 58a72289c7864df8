// The planner made part of the program: finds a short winning game on a
// world file with the beam search (beam_search.h) and writes it as the
// script that plays it, statements typed on the grid.
#pragma once

#include <string>

#include "worlds/beam_search.h"
#include "worlds/world_file.h"

// Told after each turn the search has gone through: the stage (1: world 3's
// chara alone, 2: all three), the turn and the best kept game's distance of
// its charas to their goals (lower is better).
struct SolveProgress {
  void (*report)(void* context, int stage, int turn, long best) = nullptr;
  void* context = nullptr;
};

struct SolvedGame {
  planner::Plan plan;  // won, its actions and the game right after them
  std::string script;  // the headless script that plays it from the title
  int statements = 0;
  int arrived[planner::PlannedWorlds] = {};  // the turn each chara arrived on
};

// Searches for a winning game on `file` from a new game. World 3's chara is
// steered first, alone (it may spend reliability only one turn in ten, and
// its draws do not depend on the other worlds while their charas walk); its
// statements then hold their turns while the search steers the other two.
// The game records and the played worlds are left as they were.
SolvedGame solveWorlds(const WorldFile& file, planner::SearchOptions options,
                       const SolveProgress& progress = {});
