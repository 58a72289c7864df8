// Finding a short winning game: a beam search over turns, each turn a step of
// the leader or one world statement, run on the game's own turn and
// statement code through the planner's model.
#pragma once

#include <utility>
#include <vector>

#include "worlds/planner_model.h"

namespace planner {

struct SearchOptions {
  int beamWidth = 600;
  int maxTurns = 800;
  Costs costs;
  // Weight of the slowest chara's distance against the sum of all three:
  // the game ends when the last one arrives.
  int slowestWeight = 1;
  // Added for each world whose chara still walks while the UPDATE
  // privilege there is gone (a GRANT must come first).
  int lostPrivilegePenalty = 4;
  // World 3's privileges never come back, so its reliability is never
  // spent below zero.
  int worldThreeFloor = 0;
  // How far ahead along a chara's best way a wall may be opened early.
  int lookAhead = 6;
  // At most this many kept games may have their charas on the same cells,
  // so the beam does not fill up with one position's variants.
  int perPosition = 10;
  // Charas (bit i for chara i + 2) whose distances count and whose arrival
  // ends the search; statements are tried only for the worlds in
  // `steered`. Turns listed in `forced` take that statement and no other.
  unsigned counted = 0b111;
  unsigned steered = 0b111;
  std::vector<std::pair<int, Action>> forced;
  // Told after each turn searched: the turn and the best kept game's score.
  void (*progress)(void* context, int turn, long best) = nullptr;
  void* progressContext = nullptr;
};

struct Plan {
  bool won = false;             // every counted chara arrived
  std::vector<Action> actions;  // one per turn; the last is the winning turn
  Snapshot final{};             // the game right after the last turn
};

// Searches from the game as `start` holds it (in the field, after the new
// game began). Leaves the game records as `start` had them.
Plan searchWinningPlan(const Snapshot& start, const SearchOptions& options);

// Plays a plan on the model from `start` and fills arrived[i] with the turn
// (counted from 1) on which chara i + 2 reached its goal. Leaves the game
// records as they were.
void arrivalTurns(const Snapshot& start, const Plan& plan, int arrived[PlannedWorlds]);

}  // namespace planner
