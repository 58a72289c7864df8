// A fresh game for the tests of the player's tables and the statements on
// them: the records as the title screen leaves them, then a new game begun.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/game_state.h"
#include "shell/new_game.h"
#include "sql/dispatcher.h"

// The text a test leaves in StatusText to see whether a statement wrote one.
inline constexpr const char* Untouched = "(untouched)";

class TableGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetAllState();
    std::memcpy(WorldMaps, InitialMaps, sizeof WorldMaps);
    Score = 5000;
    startNewGame();
  }

  // Runs one statement and returns what the status line shows afterwards,
  // Untouched when the statement wrote nothing.
  static std::string answer(const char* statement) {
    setStatus(Untouched);
    executeStatement(statement);
    return StatusText;
  }

  // Runs statements whose answers the test does not look at.
  static void run(std::initializer_list<const char*> statements) {
    for (const char* s : statements) executeStatement(s);
  }

  static int16_t playerReliability(int world) { return Authority[world - 1].reliability[0]; }
  static uint8_t& cellAt(int world, int x, int y, int floor = 1) {
    return WorldMaps[world - 1].cells[cellIndex(x, y, floor)];
  }
};

// A copy of the whole table store, to prove a statement left it alone.
struct TableSnapshot {
  PlayerTable tables[PlayerTableSlots];
  TableSnapshot() { std::memcpy(tables, playerTables, sizeof tables); }
  bool unchanged() const { return std::memcmp(tables, playerTables, sizeof tables) == 0; }
};
