// The planner's model of a game in progress: the records that a turn and a
// world statement can change, saved and put back, the moves a plan is made
// of, and each world's distances to its goal when walls may be opened.
#pragma once

#include <cstdint>
#include <string>

#include "game/game_state.h"

namespace planner {

constexpr int PlannedWorlds = 3;  // worlds 1 to 3 hold the mazes and the charas

// Everything a turn or a world statement may change, floor 1 only (nothing
// ever leaves it).
struct Snapshot {
  uint8_t maps[PlannedWorlds][CellsPerFloor];
  CharaRec charas[CharaCount];
  AuthorityPlane authority[PlannedWorlds];
  MapPos leader;
  int32_t score;
  uint32_t seedCounter;
  uint32_t randomState;
  uint8_t mode;
};

// Copies the game records into a snapshot, and back.
void capture(Snapshot* out);
void restore(const Snapshot& in);
// Hashes what decides the rest of the game (the leader's place and the score
// play no part in it).
uint64_t hashOf(const Snapshot& s);
// Whether two snapshots agree on every record they hold.
bool sameGame(const Snapshot& a, const Snapshot& b);

// One turn of a plan: a step of the leader, or Enter followed by a statement.
enum class Move : uint8_t { Step, Update, Grant };
struct Action {
  Move move = Move::Step;
  uint8_t world = 0;  // 1 to 3
  uint8_t x = 0;
  uint8_t y = 0;
  uint8_t field = 0;  // Update: the new tile code
};

// The statement an action submits ("" for a step).
std::string statementOf(const Action& action);

// Whether UPDATE may sensibly rewrite (x, y): inside the frame, not the goal.
bool openable(const Snapshot& s, int world, int x, int y);
// Whether a figure can walk on a cell holding tile code (the game's own rule).
bool walkable(uint8_t code);

// Costs of the distance fields, in half turns: a step onto floor, and the
// extra for a step onto a wall that must be opened first. Opening is cheap
// next to the turns a detour through the maze costs, so by default a wall
// costs no more than floor.
struct Costs {
  int floorStep = 2;
  int wallExtra = 0;
};

// Distance of every floor-1 cell of `world` to its goal, moving onto floor
// for floorStep and onto an openable wall for floorStep + wallExtra.
using Field = uint16_t[CellsPerFloor];
constexpr uint16_t Unreachable = 0xFFFF;
void distanceField(const Snapshot& s, int world, const Costs& costs, Field out);

}  // namespace planner
