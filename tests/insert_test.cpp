// INSERT into a world cell (three forms, the privilege and the penalty) and
// into the player's own tables.
#include "statements/insert.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/statement_fixture.h"

namespace {

class InsertTest : public FreshGameTest {};

TEST_F(InsertTest, FramingAnswers) {
  expectEachUnchanged({
      {"INSERT", "INTO not found."},
      {"INSERT world (fieldid) VALUES (10)", "INTO not found."},
      {"INSERT INTO", PreviousAnswer},
      {"INSERT INTO world", "VALUES not found."},
      {"INSERT INTO t", "VALUES not found."},
      {"INSERT INTO world (fieldid)", PreviousAnswer},
      {"INSERT INTO World (fieldid) VALUES (10)", PreviousAnswer},
      {"INSERT INTO nothing (a,b,c) VALUES (1,2,3)", PreviousAnswer},
  });
}

TEST_F(InsertTest, FillsOnlyAnEmptyCellButAlwaysCosts) {
  ASSERT_EQ(mapCell(1, 1, 1), TileFloor);
  EXPECT_EQ(runStatement("INSERT INTO world (fieldid) VALUES (10)"), PreviousAnswer);
  EXPECT_EQ(mapCell(1, 1, 1), TileFloor);
  EXPECT_EQ(playerReliability(1), 40);

  mapCell(1, 1, 1) = TileEmpty;  // as a DELETE under the leader leaves it
  EXPECT_EQ(runStatement("insert into world ( fieldid ) values ( 3 )"), PreviousAnswer);
  EXPECT_EQ(mapCell(1, 1, 1), 3);
  EXPECT_EQ(playerReliability(1), 30);
  EXPECT_EQ(LeaderPos.x, 1);
  EXPECT_EQ(LeaderPos.y, 1);
}

TEST_F(InsertTest, PositionFormMovesTheLeaderEvenOntoAFullCell) {
  const uint8_t before = mapCell(1, 5, 6);
  ASSERT_NE(before, TileEmpty);
  EXPECT_EQ(runStatement("INSERT INTO world (x,y,fieldid) VALUES (5,6,10)"), PreviousAnswer);
  EXPECT_EQ(mapCell(1, 5, 6), before);
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{5, 6, 1, 1}));
  EXPECT_EQ(playerReliability(1), 40);

  mapCell(1, 7, 8) = TileEmpty;
  EXPECT_EQ(runStatement("INSERT INTO world (x,y,fieldid) VALUES (7x,8,1)"), PreviousAnswer);
  EXPECT_EQ(mapCell(1, 7, 8), 1);
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{7, 8, 1, 1}));
}

TEST_F(InsertTest, WorldFormFillsAnotherWorldButMovesTheLeaderAtHome) {
  mapCell(2, 5, 6) = TileEmpty;
  EXPECT_EQ(runStatement("INSERT INTO world (worldid,x,y,fieldid) VALUES (2,5,6,10)"),
            PreviousAnswer);
  EXPECT_EQ(mapCell(2, 5, 6), TileFloor);
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{5, 6, 1, 1}));
  EXPECT_EQ(playerReliability(2), -10);
  EXPECT_EQ(playerReliability(1), 50);
}

TEST_F(InsertTest, MalformedWorldInsertsDoNothing) {
  mapCell(1, 5, 6) = TileEmpty;
  mapCell(1, 1, 1) = TileEmpty;
  const char* statements[] = {
      "INSERT INTO world (fieldid) VALUES (0)",
      "INSERT INTO world (fieldid) VALUES (11)",
      "INSERT INTO world (fieldid) VALUES (a)",
      "INSERT INTO world (x,y,fieldid) VALUES (5,6,0)",
      "INSERT INTO world (x,y,fieldid) VALUES (5,6,11)",
      "INSERT INTO world (worldid,x,y,fieldid) VALUES (0,5,6,10)",
      "INSERT INTO world (worldid,x,y,fieldid) VALUES (6,5,6,10)",
      "INSERT INTO world (worldid,x,y,fieldid) VALUES (1,5,6,10))",
      "INSERT INTO world (worldid,x,y,fieldid) VALUES (1,5,6,10) x",
      "INSERT INTO world (fieldid) VALUES (10) ;",
      "INSERT INTO world (worldid,x,y,fieldid) VALUES (1,5,6)",
      "INSERT INTO world (x,y,worldid,fieldid) VALUES (5,6,1,10)",
      "INSERT INTO world (X,Y,fieldid) VALUES (5,6,10)",
      "INSERT INTO world (fieldid) (10)",
      "INSERT INTO world (fieldid) VALUES 10",
      "INSERT INTO world fieldid VALUES (10)",
  };
  for (const char* s : statements) expectUnchanged(s);
}

TEST_F(InsertTest, WithoutThePrivilegeNothingChanges) {
  mapCell(1, 1, 1) = TileEmpty;
  Authority[0].privileges[0][PrivInsert] = 0;
  for (const char* s : {"INSERT INTO world (fieldid) VALUES (10)",
                        "INSERT INTO world (x,y,fieldid) VALUES (5,6,10)",
                        "INSERT INTO world (worldid,x,y,fieldid) VALUES (1,5,6,10)",
                        // The privilege is asked before the position is judged.
                        "INSERT INTO world (x,y,fieldid) VALUES (40,6,10)"}) {
    expectUnchanged(s, "There is no authority.");
  }
  // Worlds 4 and 5 never grant anything.
  LeaderPos.world = 4;
  EXPECT_EQ(runStatement("INSERT INTO world (fieldid) VALUES (10)"), "There is no authority.");
  LeaderPos.world = 1;
  EXPECT_EQ(runStatement("INSERT INTO world (worldid,x,y,fieldid) VALUES (5,5,6,10)"),
            "There is no authority.");
}

// A position off the map would name another cell (x = 32 is the next row's
// first cell), so such inserts do nothing at all: no cell, no cost, no move.
TEST_F(InsertTest, PositionsOffTheMapChangeNothing) {
  mapCell(1, 0, 7) = TileEmpty;  // where (32, 6) would land
  mapCell(1, 0, 0) = TileEmpty;
  for (const char* s : {"INSERT INTO world (x,y,fieldid) VALUES (32,6,10)",
                        "INSERT INTO world (x,y,fieldid) VALUES (-1,6,10)",
                        "INSERT INTO world (x,y,fieldid) VALUES (5,32,10)",
                        "INSERT INTO world (x,y,fieldid) VALUES (5,-32,10)",
                        "INSERT INTO world (worldid,x,y,fieldid) VALUES (1,32,6,10)",
                        "INSERT INTO world (worldid,x,y,fieldid) VALUES (2,0,999,10)"}) {
    expectUnchanged(s);
  }
  // The leader on column or row 32, where a SELECT may put it.
  LeaderPos.x = 32;
  LeaderPos.y = 6;
  expectUnchanged("INSERT INTO world (fieldid) VALUES (10)");
  LeaderPos.x = 0;
  LeaderPos.y = 32;
  expectUnchanged("INSERT INTO world (fieldid) VALUES (10)");
  // The map's own edges are cells like any other.
  EXPECT_EQ(runStatement("INSERT INTO world (x,y,fieldid) VALUES (0,0,4)"), PreviousAnswer);
  EXPECT_EQ(mapCell(1, 0, 0), 4);
}

TEST_F(InsertTest, RowsGoIntoAPlayerTable) {
  runStatements({"CREATE TABLE t (a INT, b VARCHAR(8), d INT)"});
  EXPECT_EQ(runStatement("INSERT INTO t (a,b,d) VALUES (1,'x',2)"), "INSERT OK!");
  EXPECT_EQ(runStatement("insert into t ( b , a , d ) values ( 'y' , 007 , 3 )"), "INSERT OK!");
  EXPECT_EQ(runStatement("INSERT INTO t (b,a,b) VALUES ('first',4,'')"), "INSERT OK!");
  const PlayerTable& t = playerTables[0];
  ASSERT_EQ(t.rowCount, 3);
  const char* expected[3][3] = {{"1", "x", "2"}, {"007", "y", "3"}, {"4", "", ""}};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) EXPECT_STREQ(t.rows[r][c], expected[r][c]) << r << "," << c;
  }

  // A full table takes no fourth row and says nothing.
  expectUnchanged("INSERT INTO t (a,b,d) VALUES (9,'z',9)");
}

TEST_F(InsertTest, MalformedRowsAreRefusedSilently) {
  runStatements({"CREATE TABLE t (a INT, b VARCHAR(8), d INT)"});
  const char* statements[] = {
      "INSERT INTO t (a,b,d) VALUES (1,x,2)",     "INSERT INTO t (a,b,d) VALUES ('1','x',2)",
      "INSERT INTO t (a,b,d) VALUES (-1,'x',2)",  "INSERT INTO t (a,b,d) VALUES (1,'x_y',2)",
      "INSERT INTO t (a,b,d) VALUES (1,'x',2) x", "INSERT INTO t (a,b,d) VALUES (1,'x',2))",
      "INSERT INTO t (a,b,d) VALUES (1,'x')",     "INSERT INTO t (a,b,d) VALUES (1,'x',2,3)",
      "INSERT INTO t (a,b) VALUES (1,'x')",       "INSERT INTO t (a,b,d,a) VALUES (1,'x',2,3)",
      "INSERT INTO t (A,b,d) VALUES (1,'x',2)",   "INSERT INTO t (a,b,e) VALUES (1,'x',2)",
      "INSERT INTO t (a,b,d) (1,'x',2)",          "INSERT INTO t (a,b,d) VALUE (1,'x',2)",
      "INSERT INTO t a,b,d VALUES 1,'x',2",       "INSERT INTO T (a,b,d) VALUES (1,'x',2)",
  };
  for (const char* s : statements) expectUnchanged(s);
}

TEST_F(InsertTest, PlayerRowsNeedNoPrivilegeAndCostNothing) {
  runStatements({"CREATE TABLE t (a INT, b VARCHAR(1), d INT)", "ALTER TABLE t ADD e VARCHAR(4)"});
  std::memset(Authority, 0, sizeof Authority);
  LeaderPos.world = 4;
  // The declared VARCHAR length is not enforced; the unnamed column stays empty.
  EXPECT_EQ(runStatement("INSERT INTO t (a,b,d) VALUES (1,'abcdefghijkl',2)"), "INSERT OK!");
  EXPECT_STREQ(playerTables[0].rows[0][1], "abcdefghijkl");
  EXPECT_STREQ(playerTables[0].rows[0][3], "");
  for (const AuthorityPlane& plane : Authority) EXPECT_EQ(plane.reliability[0], 0);
}

TEST_F(InsertTest, SameNamedTablesFillTheLowerSlot) {
  runStatements({"CREATE TABLE t (a INT, b INT, c INT)", "CREATE TABLE t (a INT, b INT, c INT)"});
  EXPECT_EQ(runStatement("INSERT INTO t (a,b,c) VALUES (1,2,3)"), "INSERT OK!");
  EXPECT_EQ(playerTables[0].rowCount, 1);
  EXPECT_EQ(playerTables[1].rowCount, 0);
}

}  // namespace
