// The statement tests' fresh game and record snapshots.
#include "tests/support/statement_fixture.h"

#include <cstring>

#include "game/movement.h"
#include "game/new_game.h"
#include "statements/dispatcher.h"

void startFreshGame() {
  resetAllState();
  resetForRun();
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

void expectUnchanged(const char* statement, const char* answer) {
  const RecordSnapshot before = takeSnapshot();
  EXPECT_EQ(runStatement(statement), answer) << statement;
  EXPECT_TRUE(sameRecords(before, takeSnapshot())) << statement;
}

void expectEachUnchanged(std::initializer_list<AnswerCase> cases, bool fresh) {
  for (const AnswerCase& c : cases) {
    if (fresh) startFreshGame();
    expectUnchanged(c.statement, c.answer);
  }
}

void expectOneCellChange(const char* statement, int world, int x, int y, int tile, MapPos leader) {
  startFreshGame();
  const RecordSnapshot before = takeSnapshot();
  const uint8_t old = mapCell(world, x, y);
  const int16_t reliability = playerReliability(world);
  EXPECT_EQ(runStatement(statement), PreviousAnswer) << statement;
  EXPECT_EQ(mapCell(world, x, y), tile) << statement;
  EXPECT_EQ(playerReliability(world), reliability - 30) << statement;
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(leader)) << statement;
  // Put those three back: nothing else may differ.
  mapCell(world, x, y) = old;
  Authority[world - 1].reliability[0] = reliability;
  LeaderPos = MapPos{1, 1, 1, 1};
  EXPECT_TRUE(sameRecords(before, takeSnapshot())) << statement;
}

void expectNothingPastTheEdge(const char* statement, int privilege) {
  // A leader on column or row 32 has no cell of its own: the cell its index
  // would name (on the next row or floor) must stay as it was.
  for (const char* move :
       {"SELECT * FROM world WHERE x = 32 AND y = 1", "SELECT * FROM world WHERE x = 32 AND y = 31",
        "SELECT * FROM world WHERE x = 31 AND y = 32",
        "SELECT * FROM world WHERE worldid = 3 AND x = 32 AND y = 32"}) {
    SCOPED_TRACE(move);
    startFreshGame();
    runStatement(move);
    expectUnchanged(statement);
    Authority[LeaderPos.world - 1].privileges[0][privilege] = 0;
    EXPECT_EQ(runStatement(statement), "There is no authority.");
  }
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
