// DELETE on world: emptying the leader's cell or a named cell, with its
// privilege, penalty and the leader's jump, and the cells it must not touch.
#include <gtest/gtest.h>

#include <string>

#include "game/movement.h"
#include "tests/support/statement_fixture.h"

namespace {

using DeleteTest = FreshGameTest;

// 1.x: statements that fail, with a message or without, and change nothing.
TEST_F(DeleteTest, FailedStatementsChangeNothing) {
  expectEachUnchanged(
      {
          {"DELETE", "FROM not found."},
          {"DELETE world", "FROM not found."},
          {"DELETE x FROM world", "FROM not found."},
          {"DELETE FROM world WHERE", PreviousAnswer},
          {"DELETE FROM t", PreviousAnswer},
          {"DELETE FROM World", PreviousAnswer},
          {"delete from WORLD", PreviousAnswer},
          {"DELETE FROM world junk", PreviousAnswer},
          {"DELETE FROM t WHERE worldid = 1 AND x = 5 AND y = 6", PreviousAnswer},
          {"DELETE FROM world WHERE x = 5 AND y = 6 AND worldid = 1", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 1 AND X = 5 AND y = 6", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 1 AND x = 5 OR y = 6", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 1 AND x = 0 AND y = 6", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 1 AND x = 5 AND y = 0", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 1 AND x = 33 AND y = 6", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 0 AND x = 5 AND y = 6", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 6 AND x = 5 AND y = 6", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 1 AND x = 5 AND y = 6 junk", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 1 AND x = 5 AND y", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 4 AND x = 5 AND y = 6", "There is no authority."},
          {"DELETE FROM world WHERE worldid = 5 AND x = 5 AND y = 6", "There is no authority."},
          // One past the map's last column or row names no cell.
          {"DELETE FROM world WHERE worldid = 1 AND x = 32 AND y = 6", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 2 AND x = 5 AND y = 32", PreviousAnswer},
          {"DELETE FROM world WHERE worldid = 3 AND x = 32 AND y = 32", PreviousAnswer},
      },
      true);
}

struct DeleteCase {
  const char* statement;
  int world, x, y;  // the cell emptied
  MapPos leader;    // where the leader stands afterwards
};

// 2.x: each accepted statement empties exactly one cell, costs 30 in its
// world, and moves the leader only within its own world.
TEST_F(DeleteTest, AcceptedStatementsEmptyOneCell) {
  const DeleteCase cases[] = {
      {"DELETE FROM world", 1, 1, 1, {1, 1, 1, 1}},
      {"delete FrOm world", 1, 1, 1, {1, 1, 1, 1}},
      {"DELETE FROM world WHERE worldid=1 AND x=5 AND y=6", 1, 5, 6, {5, 6, 1, 1}},
      {"delete from world where worldid = 1 and x = 5 and y = 6", 1, 5, 6, {5, 6, 1, 1}},
      {"DELETE FROM world WHERE worldid = 2 AND x = 5 AND y = 6", 2, 5, 6, {5, 6, 1, 1}},
      {"DELETE FROM world WHERE worldid = 3 AND x = 31 AND y = 31", 3, 31, 31, {31, 31, 1, 1}},
      {"DELETE FROM world words WHERE worldid = 1 AND x = 1 AND y = 2", 1, 1, 2, {1, 2, 1, 1}},
      {"DELETE FROM world WHERE worldid = 1 AND x = 07 AND y = 3rd", 1, 7, 3, {7, 3, 1, 1}},
  };
  for (const DeleteCase& c : cases) {
    expectOneCellChange(c.statement, c.world, c.x, c.y, TileEmpty, c.leader);
  }
}

TEST_F(DeleteTest, LeaderLeavesAnEmptiedCellButCannotReturn) {
  runStatement("DELETE FROM world");
  EXPECT_EQ(playerReliability(1), 20);
  stepLeader(DirRight);
  EXPECT_EQ(LeaderPos.x, 2);
  stepLeader(DirLeft);
  EXPECT_EQ(LeaderPos.x, 2);
}

TEST_F(DeleteTest, EmptyAndGoalCellsEmptyAgainAndStillCost) {
  runStatement("DELETE FROM world WHERE worldid = 1 AND x = 5 AND y = 6");
  runStatement("SELECT * FROM world WHERE x = 1 AND y = 1");
  EXPECT_EQ(runStatement("DELETE FROM world WHERE worldid = 1 AND x = 5 AND y = 6"),
            PreviousAnswer);
  EXPECT_EQ(mapCell(1, 5, 6), TileEmpty);
  EXPECT_EQ(playerReliability(1), -10);
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{5, 6, 1, 1}));

  ASSERT_EQ(mapCell(1, 29, 29), TileGoal);
  runStatement("DELETE FROM world WHERE worldid = 1 AND x = 29 AND y = 29");
  EXPECT_EQ(mapCell(1, 29, 29), TileEmpty);
  EXPECT_EQ(playerReliability(1), -40);
}

TEST_F(DeleteTest, PrivilegeIsAskedAfterTheShapeAndBeforeTheMapEdge) {
  runStatement("REVOKE DELETE ON world1 FROM player");
  const RecordSnapshot before = takeSnapshot();
  EXPECT_EQ(runStatement("DELETE FROM world junk"), PreviousAnswer);
  EXPECT_EQ(runStatement("DELETE FROM world WHERE worldid = 1 AND x = 0 AND y = 6"),
            PreviousAnswer);
  EXPECT_EQ(runStatement("DELETE FROM world"), "There is no authority.");
  EXPECT_EQ(runStatement("DELETE FROM world WHERE worldid = 1 AND x = 32 AND y = 6"),
            "There is no authority.");
  EXPECT_TRUE(sameRecords(before, takeSnapshot()));
  // World 2's right is apart from world 1's.
  EXPECT_EQ(runStatement("DELETE FROM world WHERE worldid = 2 AND x = 5 AND y = 6"),
            PreviousAnswer);
  EXPECT_EQ(mapCell(2, 5, 6), TileEmpty);
}

TEST_F(DeleteTest, LeaderPastTheEdgeEmptiesNothing) {
  expectNothingPastTheEdge("DELETE FROM world", PrivDelete);
}

TEST_F(DeleteTest, ClauseEndingAtTheLastSlotOfTheStore) {
  // DELETE FROM world, fillers 3..115, WHERE 116, clause 117..127; slot 128
  // lies past the store and reads as the empty end.
  std::string line = "DELETE FROM world" + fillerTokens(113) + " WHERE worldid=1 AND x=5 AND y=6";
  EXPECT_EQ(runStatement(line.c_str()), PreviousAnswer);
  EXPECT_EQ(lastToken, 127);
  EXPECT_EQ(mapCell(1, 5, 6), TileEmpty);
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{5, 6, 1, 1}));

  // One filler more and the clause is cut short: nothing happens.
  startFreshGame();
  line = "DELETE FROM world" + fillerTokens(114) + " WHERE worldid=1 AND x=5 AND y=6";
  const RecordSnapshot before = takeSnapshot();
  EXPECT_EQ(runStatement(line.c_str()), PreviousAnswer);
  EXPECT_TRUE(sameRecords(before, takeSnapshot()));
}

}  // namespace
