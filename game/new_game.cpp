// Setting up a new game when the player leaves the title screen: where the
// figures start, who may do what in which world, and a clean table store.
#include "game/new_game.h"

#include <cstring>

#include "game/game_state.h"

namespace {

// Each chara starts on its world's start cell of floor 1; the leader starts
// on chara 2's.
MapPos startPos(int chara, uint8_t world) {
  return MapPos{PlayedStarts[chara].x, PlayedStarts[chara].y, 1, world};
}

struct CharaStart {
  uint8_t world;
  uint8_t moveKind;
};

// Charas 2, 3 and 4: one in each maze, with its way of finding the goal.
constexpr CharaStart CharaStarts[CharaCount] = {
    {1, MoveWander},
    {2, MoveExplore},
    {3, MoveExplore},
};

// Reliability each chara starts with in worlds 1 to 3; worlds 4 and 5 keep
// their planes as the program started them, with nobody holding anything.
constexpr int16_t StartReliability[3] = {50, 0, 0};

}  // namespace

void resetForRun() {
  CursorCol = 0;
  CursorRow = 0;
  // As the game has always begun: the first ring erased is the cell right of
  // home, which the cursor never left.
  PrevCursorCol = 1;
  PrevCursorRow = 0;
  std::memset(CommandLine, 0, sizeof CommandLine);
  std::memset(LastCommand, 0, sizeof LastCommand);
  std::memcpy(WorldMaps, PlayedMaps, sizeof WorldMaps);
  Score = ScoreBudget;
}

void startNewGame() {
  GameMode = ModeField;
  LeaderPos = startPos(0, 1);

  // The trails stay as they are: zero from program start, and a new game is
  // begun only once per run.
  for (int i = 0; i < CharaCount; ++i) {
    Charas[i].pos = startPos(i, CharaStarts[i].world);
    Charas[i].moveKind = CharaStarts[i].moveKind;
  }

  for (int w = 0; w < 3; ++w) {
    for (int c = 0; c < AuthorityCharaCount; ++c) {
      Authority[w].reliability[c] = StartReliability[w];
      for (int k = 0; k < PrivilegeFlagCount; ++k) Authority[w].privileges[c][k] = 1;
    }
  }

  for (int i = 0; i < PlayerTableSlots; ++i) {
    std::memset(&playerTables[i], 0, sizeof playerTables[i]);
  }
}
