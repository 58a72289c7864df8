// What an author wants to know of a world file before sharing it: whether
// each chara can walk to its goal as the maze stands or only once the player
// opens walls, and how the game ends when the player only lets turns pass.
#pragma once

#include "worlds/world_file.h"

enum GoalReach : int {
  ReachAlone,         // along floor only
  ReachThroughWalls,  // only if the player opens walls on the way
  ReachNoGoal,        // the world has no goal (a draft)
  ReachNever,         // not even through walls a statement can open
};

// The verdict as the game says it, such as "the chara reaches its goal
// without help".
const char* goalReachText(GoalReach reach);

struct WorldReach {
  MapCell start;
  MapCell goal;  // the first goal of floor 1, row by row; meaningless without one
  GoalReach reach;
};
// Checks world `world` (1 to CharaWorlds) of `file`: from its start, through
// floor and goal cells of floor 1, else also through the walls UPDATE can
// name (every cell but those of row 0 and column 0).
WorldReach checkReach(const WorldFile& file, int world);

struct WaitingGame {
  bool won = false;
  int turns = 0;  // the winning turn, or the turns played
  int score = 0;  // the score the game shows when won
};
// Plays a new game on `file` in which the player only lets turns pass (no
// statement, the leader never moves), for at most the turn budget, on the
// game's own turn code. The game records and the played worlds are left as
// they were.
WaitingGame playWaitingGame(const WorldFile& file);
