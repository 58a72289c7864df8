// SELECT from the player's own tables: finding the row, casting the spell its
// cells hold, and the search spell over floor 1 of the leader's world.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "statements/dispatcher.h"
#include "statements/select.h"
#include "tests/support/statement_fixture.h"

namespace {

constexpr const char* Cast = "SELECT e , a , n FROM book WHERE e = 'tuti'";

class SpellTest : public FreshGameTest {
 protected:
  void SetUp() override {
    FreshGameTest::SetUp();
    runStatements({"CREATE TABLE book (e VARCHAR(8), a VARCHAR(8), n VARCHAR(8))"});
  }
  static void write(const char* e, const char* a, const char* n) {
    char statement[CommandSize];
    std::snprintf(statement, sizeof statement, "INSERT INTO book (e,a,n) VALUES (%s,%s,%s)", e, a,
                  n);
    ASSERT_EQ(runStatement(statement), "INSERT OK!") << statement;
  }
};

TEST_F(SpellTest, SearchFindsTheGoalOfTheLeadersWorld) {
  write("'tuti'", "'sagasu'", "'11'");
  EXPECT_EQ(runStatement(Cast), "lafolue:x=29,y=29");
  EXPECT_EQ(runStatement("SELECT * FROM world WHERE worldid = 3"), PreviousAnswer);
  ASSERT_EQ(LeaderPos.world, 3);
  EXPECT_EQ(runStatement(Cast), "lafolue:x=12,y=16");
  // The floor the party stands on plays no part.
  LeaderPos.floor = 2;
  EXPECT_EQ(runStatement(Cast), "lafolue:x=12,y=16");
}

TEST_F(SpellTest, TheCellsMustHoldTheSpellWordsInTheSelectedOrder) {
  write("'tuti'", "'sagasu'", "'11'");
  write("'Tuti'", "'sagasu'", "'11'");
  write("'TUTI'", "'sagasu'", "'11'");
  const struct {
    const char* statement;
    const char* answer;
  } cases[] = {
      {"SELECT a , e , n FROM book WHERE e = 'tuti'", "Magic was fumbled!"},
      {"SELECT e , a , a FROM book WHERE e = 'tuti'", "lafolue:not found"},  // "sagasu" reads 0
      {"SELECT e , a , n FROM book WHERE e = 'Tuti'", "Magic was fumbled!"},
      {"SELECT e , a , n FROM book WHERE e = 'TUTI'", "Magic was fumbled!"},
      {"SELECT e , a , n FROM book WHERE e = tuti", "lafolue:x=29,y=29"},
      {"SELECT e , a , n FROM book WHERE e = 'tu'", "lafolue:x=29,y=29"},
      {"SELECT e , a , n FROM book WHERE e = 'TU'", "Magic was fumbled!"},
      {"SELECT e , a , n FROM book WHERE e = ''", "lafolue:x=29,y=29"},  // row 0 always
      {"SELECT e , a , n FROM book WHERE a = 'sagasu' AND more", "lafolue:x=29,y=29"},
      {"SELECT e , a , n junk FROM book WHERE e = 'tuti'", "lafolue:x=29,y=29"},
      {"select e , a , n from book where e = 'tuti'", "lafolue:x=29,y=29"},
  };
  for (const auto& c : cases) EXPECT_EQ(runStatement(c.statement), c.answer) << c.statement;
}

TEST_F(SpellTest, StatementsThatFindNoRowWriteNothing) {
  EXPECT_EQ(runStatement(Cast), PreviousAnswer);  // no rows yet
  write("'tuti'", "'sagasu'", "'11'");
  const char* statements[] = {
      "SELECT e , a , n FROM book WHERE e = 'tutix'",
      "SELECT e , a , n FROM book WHERE e = 'x'",
      "SELECT e , a , n FROM book WHERE e = '",  // a lone quote compares less than nothing
      "SELECT e , a , n FROM book WHERE e =",
      "SELECT e , a , n FROM book WHERE e",
      "SELECT e , a , n FROM book WHERE",
      "SELECT e , a , n FROM book",
      "SELECT e , a FROM book WHERE e = 'tuti'",
      "SELECT e , a , x FROM book WHERE e = 'tuti'",
      "SELECT E , a , n FROM book WHERE e = 'tuti'",
      "SELECT e , a , n FROM book WHERE q = 'tuti'",
      "SELECT e a , n , e FROM book WHERE e = 'tuti'",
      "SELECT e , a , n FROM book WHERE e == 'tuti'",
      "SELECT e , a , n FROM Book WHERE e = 'tuti'",
      "SELECT e , a , n FROM WHERE e = 'tuti'",
  };
  const RecordSnapshot before = takeSnapshot();
  for (const char* s : statements) EXPECT_EQ(runStatement(s), PreviousAnswer) << s;
  EXPECT_TRUE(sameRecords(before, takeSnapshot()));
}

TEST_F(SpellTest, TheThirdCellIsReadAsALeadingNumber) {
  const struct {
    const char* number;
    const char* answer;
  } cases[] = {
      {"'5'", "lafolue:x=0,y=0"},  // the first cell of world 1 holds 5
      {"'11abc'", "lafolue:x=29,y=29"},
      {"'abc'", "lafolue:not found"},  // 0: no cell is empty in a new game
      {"'99'", "lafolue:not found"},
      {"'256'", "lafolue:not found"},
      {"'266'", "lafolue:not found"},  // not 266 - 256 = 10
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    executeStatement("DROP TABLE book");
    executeStatement("CREATE TABLE book (e VARCHAR(8), a VARCHAR(8), n VARCHAR(8))");
    write("'tuti'", "'sagasu'", c.number);
    EXPECT_EQ(runStatement(Cast), c.answer);
  }
  EXPECT_TRUE(castSpell("tuti", "sagasu", "-1"));  // on no map, but a spell all the same
  EXPECT_EQ(std::string(StatusText), "lafolue:not found");
}

TEST_F(SpellTest, CastSpellKnowsOnlyTheSearch) {
  setStatus(PreviousAnswer);
  EXPECT_FALSE(castSpell("tuti", "sagasux", "5"));
  EXPECT_FALSE(castSpell("sagasu", "tuti", "5"));
  EXPECT_FALSE(castSpell("", "", ""));
  EXPECT_EQ(std::string(StatusText), PreviousAnswer);
  EXPECT_TRUE(castSpell("tuti", "sagasu", "5"));
  EXPECT_EQ(std::string(StatusText), "lafolue:x=0,y=0");
}

TEST_F(SpellTest, SearchOutsideTheFiveWorldsFindsNothing) {
  for (uint8_t world : {0, 6, 255}) {
    LeaderPos.world = world;
    searchSpell(5);
    EXPECT_EQ(std::string(StatusText), "lafolue:not found") << int(world);
  }
  LeaderPos.world = 1;
  searchSpell(-251);  // never a byte's value, whatever its low bits
  EXPECT_EQ(std::string(StatusText), "lafolue:not found");
}

TEST_F(SpellTest, SearchReadsTheWorkingMap) {
  write("'tuti'", "'sagasu'", "'0'");
  write("'tuti'", "'sagasu'", "'11'");
  const char* forEmpty = "SELECT e , a , n FROM book WHERE n = '0'";
  const char* forGoal = "SELECT e , a , n FROM book WHERE n = '11'";
  EXPECT_EQ(runStatement(forEmpty), "lafolue:not found");
  EXPECT_EQ(runStatement("DELETE FROM world WHERE worldid = 1 AND x = 3 AND y = 2"),
            PreviousAnswer);
  EXPECT_EQ(runStatement(forEmpty), "lafolue:x=3,y=2");
  EXPECT_EQ(runStatement("INSERT INTO world (x,y,fieldid) VALUES (3,2,9)"), PreviousAnswer);
  EXPECT_EQ(runStatement(forEmpty), "lafolue:not found");

  EXPECT_EQ(runStatement(forGoal), "lafolue:x=29,y=29");
  EXPECT_EQ(runStatement("UPDATE world SET fieldid = 10 WHERE worldid = 1 AND x = 29 AND y = 29"),
            PreviousAnswer);
  EXPECT_EQ(runStatement(forGoal), "lafolue:not found");

  // Floors above the first are never searched.
  mapCell(1, 0, 0, 2) = TileEmpty;
  EXPECT_EQ(runStatement(forEmpty), "lafolue:not found");
}

// Rows of an INT column are compared on the column's four characters.
TEST_F(SpellTest, IntColumnsCompareFourCharacters) {
  runStatements({"CREATE TABLE m (e VARCHAR(8), a VARCHAR(8), id INT)",
                 "INSERT INTO m (e,a,id) VALUES ('tuti','sagasu',50)",
                 "INSERT INTO m (e,a,id) VALUES ('tuti','sagasu',5)",
                 "INSERT INTO m (e,a,id) VALUES ('no','no',1234)"});
  const struct {
    const char* value;
    const char* answer;
  } cases[] = {
      {"5", "lafolue:x=0,y=0"},  // not the 50 before it
      {"50", "lafolue:not found"}, {"1234", "Magic was fumbled!"}, {"12345", "Magic was fumbled!"},
      {"123", PreviousAnswer},     {"'5'", PreviousAnswer},  // the quote is part of an INT value
  };
  for (const auto& c : cases) {
    char statement[CommandSize];
    std::snprintf(statement, sizeof statement, "SELECT e , a , id FROM m WHERE id = %s", c.value);
    EXPECT_EQ(runStatement(statement), c.answer) << statement;
  }
}

TEST_F(SpellTest, SameNamedTablesAreReadLowestSlotFirst) {
  write("'no'", "'spell'", "'11'");
  runStatements({"CREATE TABLE book (e VARCHAR(8), a VARCHAR(8), n VARCHAR(8))"});
  ASSERT_STREQ(playerTables[1].name, "book");
  // Only the second table holds the spell; an INSERT could not put it there.
  std::strcpy(playerTables[1].rows[0][0], "tuti");
  std::strcpy(playerTables[1].rows[0][1], "sagasu");
  std::strcpy(playerTables[1].rows[0][2], "11");
  playerTables[1].rowCount = 1;
  EXPECT_EQ(runStatement("SELECT e , a , n FROM book WHERE e = 'tuti'"), PreviousAnswer);
  EXPECT_EQ(runStatement("SELECT e , a , n FROM book WHERE e = 'no'"), "Magic was fumbled!");
}

}  // namespace
