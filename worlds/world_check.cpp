// The world-file checker (see world_check.h).
#include "worlds/world_check.h"

#include <cstring>
#include <memory>
#include <vector>

#include "game/movement.h"
#include "worlds/saved_records.h"

namespace {

bool walkable(uint8_t code) { return tilePassability(code) != PassBlocked; }

// A wall that some statement can turn into floor: UPDATE names cells by x
// and y from 1, so row 0 and column 0 stay as they are.
bool openable(int x, int y) { return x >= 1 && y >= 1; }

// Whether `goal` can be reached from `start` on a floor of cells, over cells
// that `may` lets in.
template <typename May>
bool connected(const uint8_t* cells, MapCell start, MapCell goal, May may) {
  std::vector<bool> seen(CellsPerFloor, false);
  std::vector<int> todo{start.x + MapSide * start.y};
  seen[size_t(todo[0])] = true;
  constexpr int Dx[4] = {0, 0, -1, 1}, Dy[4] = {-1, 1, 0, 0};
  while (!todo.empty()) {
    const int at = todo.back();
    todo.pop_back();
    if (at == goal.x + MapSide * goal.y) return true;
    for (int k = 0; k < 4; ++k) {
      const int x = at % MapSide + Dx[k], y = at / MapSide + Dy[k];
      if (!onMap(x, y) || seen[size_t(x + MapSide * y)] || !may(cells[x + MapSide * y], x, y))
        continue;
      seen[size_t(x + MapSide * y)] = true;
      todo.push_back(x + MapSide * y);
    }
  }
  return false;
}

}  // namespace

const char* goalReachText(GoalReach reach) {
  switch (reach) {
    case ReachAlone:
      return "the chara reaches its goal without help";
    case ReachThroughWalls:
      return "the chara reaches its goal only through walls you open";
    case ReachNoGoal:
      return "no goal";
    case ReachNever:
      break;
  }
  return "the chara cannot reach its goal";
}

WorldReach checkReach(const WorldFile& file, int world) {
  WorldReach out{file.starts[world - 1], MapCell{0, 0}, ReachNoGoal};
  const uint8_t* cells = file.maps[world - 1].cells;
  int goal = 0;
  while (goal < CellsPerFloor && cells[goal] != TileGoal) ++goal;
  if (goal == CellsPerFloor) return out;
  out.goal = MapCell{uint8_t(goal % MapSide), uint8_t(goal / MapSide)};
  if (connected(cells, out.start, out.goal,
                [](uint8_t code, int, int) { return walkable(code); })) {
    out.reach = ReachAlone;
  } else if (connected(cells, out.start, out.goal, [](uint8_t code, int x, int y) {
               return walkable(code) || (code != TileEmpty && openable(x, y));
             })) {
    out.reach = ReachThroughWalls;
  } else {
    out.reach = ReachNever;
  }
  return out;
}

WaitingGame playWaitingGame(const WorldFile& file) {
  const auto saved = std::make_unique<SavedRecords>();
  saved->save();
  startGameOn(file);
  WaitingGame game;
  while (game.turns < ScoreBudget && GameMode != ModeCleared) {
    game.score = Score;
    runTurn();
    ++game.turns;
  }
  game.won = GameMode == ModeCleared;
  saved->restore();
  return game;
}
