// UPDATE on world: changing a non-empty cell under the leader or at a named
// place, the emptiness test on the right world, and the cells it must not touch.
#include <gtest/gtest.h>

#include <string>

#include "game/movement.h"
#include "tests/support/statement_fixture.h"

namespace {

using UpdateTest = FreshGameTest;

// 1.x: statements that fail, with a message or without, and change nothing.
TEST_F(UpdateTest, FailedStatementsChangeNothing) {
  expectEachUnchanged(
      {
          {"UPDATE", "SET not found."},
          {"UPDATE world", "SET not found."},
          {"UPDATE world fieldid = 5", "SET not found."},
          {"UPDATE world SET", "WHERE not found."},
          {"update world set", "WHERE not found."},
          {"UPDATE SET world", "WHERE not found."},
          {"UPDATE world SET fieldid", PreviousAnswer},
          {"UPDATE world SET fieldid =", PreviousAnswer},
          {"UPDATE world SET fieldid = 11", PreviousAnswer},
          {"UPDATE world SET fieldid = 0", PreviousAnswer},
          {"UPDATE world SET fieldid = x", PreviousAnswer},
          {"UPDATE world SET fieldid = 5 junk", PreviousAnswer},
          {"UPDATE world SET fieldId = 5", PreviousAnswer},
          {"UPDATE World SET fieldid = 5", PreviousAnswer},
          {"UPDATE t SET fieldid = 5", PreviousAnswer},
          {"UPDATE t SET fieldid = 10 WHERE worldid = 1 AND x = 5 AND y = 6", PreviousAnswer},
          {"UPDATE world SET fieldid = 10 WHERE", PreviousAnswer},
          {"UPDATE world SET fieldid = 11 WHERE worldid = 1 AND x = 5 AND y = 6", PreviousAnswer},
          {"UPDATE world SET fieldid = 10 WHERE x = 3 AND y = 4 AND worldid = 2", PreviousAnswer},
          {"UPDATE world SET fieldid = 10 WHERE worldid = 2 AND X = 3 AND y = 4", PreviousAnswer},
          {"UPDATE world SET fieldid = 10 WHERE worldid = 6 AND x = 3 AND y = 4", PreviousAnswer},
          {"UPDATE world SET fieldid = 10 WHERE worldid = 2 AND x = 0 AND y = 4", PreviousAnswer},
          {"UPDATE world SET fieldid = 10 WHERE worldid = 2 AND x = 3 AND y = 33", PreviousAnswer},
          {"UPDATE world SET fieldid = 10 WHERE worldid = 2 AND x = 3 AND y = 4 z", PreviousAnswer},
          {"UPDATE world SET fieldid = 10 WHERE worldid = 4 AND x = 3 AND y = 4",
           "There is no authority."},
          {"UPDATE world SET fieldid = 10 WHERE worldid = 5 AND x = 32 AND y = 4",
           "There is no authority."},
          // One past the map's last column or row names no cell.
          {"UPDATE world SET fieldid = 10 WHERE worldid = 1 AND x = 32 AND y = 4", PreviousAnswer},
          {"UPDATE world SET fieldid = 10 WHERE worldid = 2 AND x = 3 AND y = 32", PreviousAnswer},
      },
      true);
}

struct UpdateCase {
  const char* statement;
  int world, x, y;  // the cell changed
  int tile;         // what it holds afterwards
  MapPos leader;    // where the leader stands afterwards
};

// 2.x: each accepted statement changes exactly one cell, costs 30 in its
// world, and moves the leader only within its own world.
TEST_F(UpdateTest, AcceptedStatementsChangeOneCell) {
  const UpdateCase cases[] = {
      {"UPDATE world SET fieldid=10 WHERE worldid=1 AND x=5 AND y=6", 1, 5, 6, 10, {5, 6, 1, 1}},
      {"update world set fieldid = 3 where worldid = 2 and x = 3 and y = 4",
       2,
       3,
       4,
       3,
       {3, 4, 1, 1}},
      {"UPDATE world SET fieldid = 1 WHERE worldid = 3 AND x = 31 AND y = 31",
       3,
       31,
       31,
       1,
       {31, 31, 1, 1}},
      {"UPDATE world SET fieldid = 7 and so WHERE worldid = 1 AND x = 2 AND y = 1",
       1,
       2,
       1,
       7,
       {2, 1, 1, 1}},
      {"UPDATE world SET fieldid = 5", 1, 1, 1, 5, {1, 1, 1, 1}},
      {"UPDATE world SET fieldid = 09", 1, 1, 1, 9, {1, 1, 1, 1}},
  };
  for (const UpdateCase& c : cases) {
    expectOneCellChange(c.statement, c.world, c.x, c.y, c.tile, c.leader);
  }
}

TEST_F(UpdateTest, WallUnderTheLeaderCanBeLeftButNotReentered) {
  runStatement("UPDATE world SET fieldid = 5");
  stepLeader(DirRight);
  EXPECT_EQ(LeaderPos.x, 2);
  stepLeader(DirLeft);
  EXPECT_EQ(LeaderPos.x, 2);
}

TEST_F(UpdateTest, EmptyCellsAreLeftToInsert) {
  runStatement("DELETE FROM world");
  runStatement("DELETE FROM world WHERE worldid = 2 AND x = 3 AND y = 4");
  runStatement("SELECT * FROM world WHERE x = 1 AND y = 1");
  const RecordSnapshot before = takeSnapshot();
  EXPECT_EQ(runStatement("UPDATE world SET fieldid = 10"), PreviousAnswer);
  EXPECT_EQ(runStatement("UPDATE world SET fieldid = 10 WHERE worldid = 2 AND x = 3 AND y = 4"),
            PreviousAnswer);
  EXPECT_TRUE(sameRecords(before, takeSnapshot()));
}

// The cell tested for emptiness is world W's, not the leader's world's.
TEST_F(UpdateTest, EmptinessIsTestedInTheNamedWorld) {
  runStatement("DELETE FROM world WHERE worldid = 1 AND x = 3 AND y = 4");
  ASSERT_EQ(mapCell(1, 3, 4), TileEmpty);
  ASSERT_NE(mapCell(2, 3, 4), TileEmpty);
  runStatement("SELECT * FROM world WHERE x = 1 AND y = 1");
  EXPECT_EQ(runStatement("UPDATE world SET fieldid = 6 WHERE worldid = 2 AND x = 3 AND y = 4"),
            PreviousAnswer);
  EXPECT_EQ(mapCell(2, 3, 4), 6);
  EXPECT_EQ(mapCell(1, 3, 4), TileEmpty);
  EXPECT_EQ(playerReliability(2), -30);
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{3, 4, 1, 1}));
}

TEST_F(UpdateTest, PrivilegeIsAskedAfterTheShapeAndBeforeTheCell) {
  runStatement("REVOKE UPDATE ON world1 FROM player");
  runStatement("DELETE FROM world WHERE worldid = 1 AND x = 5 AND y = 6");
  const RecordSnapshot before = takeSnapshot();
  EXPECT_EQ(runStatement("UPDATE world SET fieldid = 11"), PreviousAnswer);
  EXPECT_EQ(runStatement("UPDATE world SET fieldid = 5"), "There is no authority.");
  // The named cell is empty, and still the missing right is what answers.
  EXPECT_EQ(runStatement("UPDATE world SET fieldid = 10 WHERE worldid = 1 AND x = 5 AND y = 6"),
            "There is no authority.");
  EXPECT_EQ(runStatement("UPDATE world SET fieldid = 10 WHERE worldid = 1 AND x = 32 AND y = 6"),
            "There is no authority.");
  EXPECT_TRUE(sameRecords(before, takeSnapshot()));
  EXPECT_EQ(runStatement("UPDATE world SET fieldid = 10 WHERE worldid = 2 AND x = 5 AND y = 6"),
            PreviousAnswer);
  EXPECT_EQ(mapCell(2, 5, 6), 10);
}

TEST_F(UpdateTest, LeaderPastTheEdgeChangesNothing) {
  expectNothingPastTheEdge("UPDATE world SET fieldid = 10", PrivUpdate);
}

TEST_F(UpdateTest, ClauseEndingAtTheLastSlotOfTheStore) {
  // UPDATE world SET fieldid = 10 (0..5), fillers 6..115, WHERE 116, clause
  // 117..127; slot 128 lies past the store and reads as the empty end.
  std::string line =
      "UPDATE world SET fieldid=10" + fillerTokens(110) + " WHERE worldid=2 AND x=3 AND y=4";
  EXPECT_EQ(runStatement(line.c_str()), PreviousAnswer);
  EXPECT_EQ(lastToken, 127);
  EXPECT_EQ(mapCell(2, 3, 4), 10);
  EXPECT_EQ(playerReliability(2), -30);

  // SET in the last slot: its clause lies wholly past the store.
  startFreshGame();
  line = "UPDATE" + fillerTokens(126) + " SET";
  const RecordSnapshot before = takeSnapshot();
  EXPECT_EQ(runStatement(line.c_str()), PreviousAnswer);
  EXPECT_EQ(lastToken, 127);
  EXPECT_TRUE(sameRecords(before, takeSnapshot()));
}

}  // namespace
