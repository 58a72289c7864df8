// SELECT: the front's two errors, the travelling shapes over world, the
// reliability report and the party table.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "statements/authority.h"
#include "statements/dispatcher.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/statement_fixture.h"

namespace {

using SelectTest = FreshGameTest;

// 1.x: statements that answer with a fixed line, or stay silent, and change
// none of the records.
TEST_F(SelectTest, AnswersAndSilentFailuresChangeNothing) {
  expectEachUnchanged(
      {
          {"SELECT", "FROM not found."},
          {"SELECT x y z", "FROM not found."},
          {"SELECT * WHERE worldid = 2", "FROM not found."},
          {"SELECT x FROM party", "no supported"},
          {"SELECT x FROM world", "no supported"},
          {"select x from world", "no supported"},
          {"SELECT WHERE FROM world", "no supported"},  // WHERE before FROM is not seen
          {"SELECT x , y FROM world", PreviousAnswer},
          {"SELECT x FROM", PreviousAnswer},
          {"SELECT * FROM World WHERE worldid = 2", PreviousAnswer},
          {"SELECT * FROM world WHERE", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid = 6", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid = 0", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid = x", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid = 2 junk", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid = 2 AND x = 3", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid == 2", PreviousAnswer},
          {"SELECT * FROM world WHERE WorldId = 2", PreviousAnswer},
          {"SELECT * FROM world WHERE X = 3 AND Y = 4", PreviousAnswer},
          {"SELECT * FROM world WHERE x = 0 AND y = 4", PreviousAnswer},
          {"SELECT * FROM world WHERE x = 3 AND y = 33", PreviousAnswer},
          {"SELECT * FROM world WHERE x = 3 OR y = 4", PreviousAnswer},
          {"SELECT * FROM world WHERE y = 4 AND x = 3", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid = 1 AND x = 3 AND y = 4 AND", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid = 1 AND y = 3 AND x = 4", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid = 4", "There is no authority."},
          {"SELECT * FROM world WHERE worldid = 5", "There is no authority."},
          {"SELECT * FROM world WHERE worldid = 5 AND x = 3 AND y = 4", "There is no authority."},
          {"SELECT * FROM party WHERE charaid = 0", PreviousAnswer},
          {"SELECT * FROM party WHERE charaid = 7", PreviousAnswer},
          {"SELECT * FROM party WHERE charaid = 1 junk", PreviousAnswer},
          {"SELECT * FROM party WHERE CharaId = 1", PreviousAnswer},
          {"SELECT * FROM Party WHERE charaid = 1", PreviousAnswer},
          {"SELECT * FROM party WHERE charaid = 5", "no supported"},
          {"SELECT * FROM party WHERE charaid = 6", "no supported"},
          {"SELECT reliability FROM world WHERE worldid = 4 AND charaid = 1",
           "There is no authority."},
          {"SELECT reliability FROM world WHERE worldid = 1 AND charaid = 6", "no supported"},
          {"SELECT reliability FROM world WHERE worldid = 1 AND charaid = 7", PreviousAnswer},
          {"SELECT reliability FROM world WHERE worldid = 1 AND charaid = 0", PreviousAnswer},
          {"SELECT reliability FROM world WHERE worldid = 1 AND charaid = 1 x", PreviousAnswer},
          {"SELECT Reliability FROM world WHERE worldid = 1 AND charaid = 1", PreviousAnswer},
          {"SELECT * FROM world WHERE worldid = 1 AND charaid = 1", PreviousAnswer},
          {"SELECT reliability FROM party WHERE worldid = 1 AND charaid = 1", PreviousAnswer},
      },
      true);
}

struct MoveCase {
  const char* statement;
  MapPos leader;  // x, y, floor, world afterwards
};

// 2.x: the travelling shapes move the leader silently and nothing else.
TEST_F(SelectTest, TravellingShapesMoveTheLeader) {
  const MoveCase cases[] = {
      {"SELECT * FROM world WHERE worldid = 2", {1, 1, 1, 2}},
      {"select * from world where worldid = 3", {1, 1, 1, 3}},
      {"SELECT anything at all FROM world WHERE worldid=2", {1, 1, 1, 2}},
      {"SELECT * FROM world WHERE worldid = 2x", {1, 1, 1, 2}},
      {"SELECT * FROM world WHERE worldid = +2", {1, 1, 1, 2}},
      // Shapes are tried in order: this is a journey, not a report.
      {"SELECT reliability FROM world WHERE worldid = 2", {1, 1, 1, 2}},
      {"SELECT * FROM world WHERE worldid = 2 AND x = 5 AND y = 6", {5, 6, 1, 2}},
      {"SELECT * FROM world WHERE worldid=3 and x=07 And y=30", {7, 30, 1, 3}},
      {"SELECT * FROM world WHERE x=3 and y=4", {3, 4, 1, 1}},
      {"SELECT * FROM world WHERE x = 32 AND y = 1", {32, 1, 1, 1}},
      {"SELECT * FROM world WHERE worldid = 1 AND x = 1 AND y = 32", {1, 32, 1, 1}},
  };
  for (const MoveCase& c : cases) {
    startFreshGame();
    RecordSnapshot expected = takeSnapshot();
    std::memcpy(expected.leader, &c.leader, sizeof c.leader);
    EXPECT_EQ(runStatement(c.statement), PreviousAnswer) << c.statement;
    EXPECT_TRUE(sameRecords(expected, takeSnapshot())) << c.statement;
  }
}

TEST_F(SelectTest, TravelAsksForThePrivilegeOfTheRightWorld) {
  runStatement("REVOKE SELECT ON world1 FROM player");
  // Syntax first: a clause that does not fit stays silent even without rights.
  EXPECT_EQ(runStatement("SELECT * FROM world WHERE x = 0 AND y = 4"), PreviousAnswer);
  EXPECT_EQ(runStatement("SELECT * FROM world WHERE x = 3 AND y = 4"), "There is no authority.");
  EXPECT_EQ(runStatement("SELECT * FROM world WHERE worldid = 1"), "There is no authority.");
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{1, 1, 1, 1}));
  // Into world 2, whose right is still held, the party may go.
  EXPECT_EQ(runStatement("SELECT * FROM world WHERE worldid = 2 AND x = 3 AND y = 4"),
            PreviousAnswer);
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{3, 4, 1, 2}));
  // Now in world 2, a move within it asks world 2.
  EXPECT_EQ(runStatement("SELECT * FROM world WHERE x = 5 AND y = 6"), PreviousAnswer);
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{5, 6, 1, 2}));
  runStatement("REVOKE SELECT ON world2 FROM player");
  EXPECT_EQ(runStatement("SELECT * FROM world WHERE x = 7 AND y = 8"), "There is no authority.");
  EXPECT_EQ(runStatement("SELECT * FROM world WHERE worldid = 3"), PreviousAnswer);
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{5, 6, 1, 3}));
}

TEST_F(SelectTest, ReliabilityIsReportedPerWorldAndChara) {
  EXPECT_EQ(runStatement("SELECT reliability FROM world WHERE worldid = 1 AND charaid = 1"),
            "1:reliability=50");
  EXPECT_EQ(runStatement("select reliability , x from world where worldid = 2 and charaid = 3"),
            "3:reliability=0");
  Authority[2].reliability[4] = 123;
  EXPECT_EQ(runStatement("SELECT reliability FROM world WHERE worldid=3 AND charaid=5"),
            "5:reliability=123");
  runStatement("GRANT ALL ON world2 TO player");
  EXPECT_EQ(runStatement("SELECT reliability FROM world WHERE worldid = 2 AND charaid = 1"),
            "1:reliability=-60");
  // Reading needs the right of the world read, not of the leader's world.
  runStatement("REVOKE SELECT ON world2 FROM player");
  EXPECT_EQ(runStatement("SELECT reliability FROM world WHERE worldid = 2 AND charaid = 1"),
            "There is no authority.");
  EXPECT_EQ(runStatement("SELECT reliability FROM world WHERE worldid = 2 AND charaid = 6"),
            "There is no authority.");
  EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{1, 1, 1, 1}));
}

std::string memberLine(int chara, MapPos p, int field) {
  char line[64];
  std::snprintf(line, sizeof line, "%d:w=%d,x=%2d,y=%2d,z=%d,f=%2d", chara, p.world, p.x, p.y,
                p.floor, field);
  return line;
}

TEST_F(SelectTest, PartyMembersReportTheirPlaceAndTheTileUnderThem) {
  EXPECT_EQ(runStatement("SELECT * FROM party WHERE charaid = 1"), "1:w=1,x= 1,y= 1,z=1,f=10");
  EXPECT_EQ(runStatement("SELECT * FROM party WHERE charaid = 3"),
            memberLine(3, {1, 1, 1, 2}, mapCell(2, 1, 1)));
  EXPECT_EQ(runStatement("SELECT * FROM party WHERE charaid = 4"),
            memberLine(4, {1, 1, 1, 3}, mapCell(3, 1, 1)));
  Charas[0].pos = MapPos{12, 5, 1, 1};
  EXPECT_EQ(runStatement("select x from party where charaid=2"),
            memberLine(2, {12, 5, 1, 1}, mapCell(1, 12, 5)));
  runStatement("SELECT * FROM world WHERE worldid = 2 AND x = 5 AND y = 12");
  mapCell(2, 5, 12) = 10;
  EXPECT_EQ(runStatement("SELECT * FROM party WHERE charaid = 1"), "1:w=2,x= 5,y=12,z=1,f=10");
  // No privilege is needed to look at one's own party.
  runStatement("REVOKE ALL ON world2 FROM player");
  EXPECT_EQ(runStatement("SELECT * FROM party WHERE charaid = 1"), "1:w=2,x= 5,y=12,z=1,f=10");
}

// A member past the map's edge stands on no cell: the field reads -1.
TEST_F(SelectTest, MemberPastTheEdgeStandsOnNothing) {
  runStatement("SELECT * FROM world WHERE x = 32 AND y = 5");
  EXPECT_EQ(runStatement("SELECT * FROM party WHERE charaid = 1"), "1:w=1,x=32,y= 5,z=1,f=-1");
  runStatement("SELECT * FROM world WHERE x = 31 AND y = 32");
  EXPECT_EQ(runStatement("SELECT * FROM party WHERE charaid = 1"), "1:w=1,x=31,y=32,z=1,f=-1");
  runStatement("SELECT * FROM world WHERE worldid = 3 AND x = 32 AND y = 32");
  EXPECT_EQ(runStatement("SELECT * FROM party WHERE charaid = 1"), "1:w=3,x=32,y=32,z=1,f=-1");
}

// The shapes read slots past lastToken and past the store's last slot.
TEST_F(SelectTest, ClausesAtTheEndOfTheTokenStore) {
  // SELECT, 121 fillers (1..121), FROM 122, world 123, WHERE 124, clause 125..127.
  std::string line = "SELECT" + fillerTokens(121) + " FROM world WHERE worldid=2";
  EXPECT_EQ(runStatement(line.c_str()), PreviousAnswer);
  EXPECT_EQ(lastToken, 127);
  EXPECT_EQ(LeaderPos.world, 2);

  // WHERE in the last slot: every clause token lies past the store.
  startFreshGame();
  expectUnchanged(("SELECT" + fillerTokens(124) + " FROM world WHERE").c_str());
  EXPECT_EQ(lastToken, 127);
  // The clause cut short by the store's end fits no shape.
  expectUnchanged(
      ("SELECT" + fillerTokens(120) + " FROM world WHERE worldid=2 AND x=3 AND y=4").c_str());
}

// The world statements run while the game runs, where nothing may be
// allocated; their failures and answers included.
TEST_F(SelectTest, WorldStatementsAllocateNothing) {
  const char* statements[] = {
      "SELECT * FROM world WHERE worldid = 2 AND x = 5 AND y = 6",
      "SELECT * FROM world WHERE x = 32 AND y = 4",
      "SELECT * FROM party WHERE charaid = 1",
      "SELECT reliability FROM world WHERE worldid = 1 AND charaid = 1",
      "SELECT x FROM world",
      "SELECT",
      "GRANT ALL ON world2 TO player",
      "REVOKE SELECT ON world1 FROM player",
      "GRANT SELECT ON world3 TO player",
      "DELETE FROM world WHERE worldid = 2 AND x = 5 AND y = 6",
      "DELETE FROM world",
      "UPDATE world SET fieldid = 10 WHERE worldid = 1 AND x = 5 AND y = 6",
      "UPDATE world SET fieldid = 5",
      "UPDATE world SET",
  };
  const AllocationCounter counter;
  for (const char* statement : statements) executeStatement(statement);
  EXPECT_EQ(counter.count(), 0);
  EXPECT_STREQ(StatusText, "WHERE not found.");  // the statements did run
}

}  // namespace
