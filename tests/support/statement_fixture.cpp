// The statement tests' fresh game and record snapshots.
#include "tests/support/statement_fixture.h"

#include <cstring>

#include "shell/new_game.h"
#include "sql/dispatcher.h"

void startFreshGame() {
  resetAllState();
  std::memcpy(WorldMaps, InitialMaps, sizeof WorldMaps);
  Score = 5000;
  startNewGame();
}

std::string runStatement(const char* line) {
  setStatus(PreviousAnswer);
  executeStatement(line);
  return StatusText;
}

void runStatements(std::initializer_list<const char*> lines) {
  for (const char* line : lines) executeStatement(line);
}

RecordSnapshot takeSnapshot() {
  RecordSnapshot s;
  std::memcpy(s.maps, WorldMaps, sizeof s.maps);
  std::memcpy(s.authority, Authority, sizeof s.authority);
  std::memcpy(s.leader, &LeaderPos, sizeof s.leader);
  std::memcpy(s.charas, Charas, sizeof s.charas);
  std::memcpy(s.tables, playerTables, sizeof s.tables);
  return s;
}

bool sameRecords(const RecordSnapshot& a, const RecordSnapshot& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

int16_t playerReliability(int world) { return Authority[world - 1].reliability[0]; }

const uint8_t* playerFlags(int world) { return Authority[world - 1].privileges[0]; }

uint8_t& mapCell(int world, int x, int y, int floor) {
  return WorldMaps[world - 1].cells[cellIndex(x, y, floor)];
}

std::string fillerTokens(int count) {
  std::string line;
  for (int i = 0; i < count; ++i) line += " a";
  return line;
}
