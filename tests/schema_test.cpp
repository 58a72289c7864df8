// CREATE TABLE, DROP TABLE and ALTER TABLE ... ADD on the player's tables, and
// the shared operations on the table store: lookup, name and value forms.
#include "statements/schema.h"

#include <gtest/gtest.h>

#include <cstring>

#include "statements/player_tables.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/statement_fixture.h"

namespace {

class SchemaTest : public FreshGameTest {};

// Each failing statement answers as listed and leaves the store exactly as it
// was: the store is first given a table in slot 1 so that there is something
// to damage, and slots 0 and 2 stay free.
TEST_F(SchemaTest, FailedCreateAnswersAndLeavesTheStoreAlone) {
  runStatements({"CREATE TABLE a (x1 INT, x2 INT, x3 INT)",
                 "CREATE TABLE keep (p INT, q INT, r INT)", "DROP TABLE a",
                 "INSERT INTO keep (p,q,r) VALUES (1,2,3)"});
  ASSERT_STREQ(playerTables[1].name, "keep");
  ASSERT_EQ(playerTables[1].rowCount, 1);

  expectEachUnchanged({
      {"CREATE", "TABLE not found."},
      {"CREATE t (a INT, b INT, c INT)", "TABLE not found."},
      {"CREATE TABLES t (a INT, b INT, c INT)", "TABLE not found."},
      {"CREATE TABLE int (a INT, b INT, c INT)", "A reservation word cannot be used."},
      {"CREATE TABLE", PreviousAnswer},
      {"CREATE TABLE abcdefghi (a INT, b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE 1abc (a INT, b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE a_b (a INT, b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE 'ab' (a INT, b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE t", PreviousAnswer},
      {"CREATE TABLE t a INT, b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT, c INT", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT c INT)", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT, c INT) x", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT, c INT))", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT)", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT, c INT, d INT)", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT, c FLOAT)", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT, c)", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT, 'c' INT)", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT, 1c INT)", PreviousAnswer},
      {"CREATE TABLE t (a INT, b INT, abcdefghi INT)", PreviousAnswer},
      {"CREATE TABLE t (a VARCHAR(0), b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE t (a VARCHAR(33), b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE t (a VARCHAR(-1), b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE t (a VARCHAR(x), b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE t (a VARCHAR 8, b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE t (a VARCHAR(8, b INT, c INT)", PreviousAnswer},
      {"CREATE TABLE t (a VARCHAR, b INT, c INT)", PreviousAnswer},
  });
}

TEST_F(SchemaTest, CreateStoresNameColumnsAndTypesInTheLowestFreeSlot) {
  EXPECT_EQ(runStatement("create table t1 ( spell varchar ( 8 ) , word Varchar ( 8 ) , code INT )"),
            "The table was created.");
  const PlayerTable& t = playerTables[0];
  EXPECT_STREQ(t.name, "t1");
  const char* names[] = {"spell", "word", "code", "", "", ""};
  const ColumnType types[] = {
      {ColumnVarchar, 8}, {ColumnVarchar, 8}, {ColumnInt, 4}, {0, 0}, {0, 0}, {0, 0}};
  for (int i = 0; i < PlayerColumns; ++i) {
    EXPECT_STREQ(t.columnNames[i], names[i]) << i;
    EXPECT_EQ(t.columnTypes[i].kind, types[i].kind) << i;
    EXPECT_EQ(t.columnTypes[i].size, types[i].size) << i;
  }
  EXPECT_EQ(t.rowCount, 0);

  // Symbols need no blanks; the longest names and both ends of VARCHAR fit.
  EXPECT_EQ(runStatement("CREATE TABLE t(a INT,b INT,c INT)"), "The table was created.");
  EXPECT_EQ(runStatement("CREATE TABLE abcdefgh (abcdefgh VARCHAR(1), b2 VARCHAR(32), c INT)"),
            "The table was created.");
  EXPECT_STREQ(playerTables[2].name, "abcdefgh");
  EXPECT_STREQ(playerTables[2].columnNames[0], "abcdefgh");
  EXPECT_EQ(playerTables[2].columnTypes[0].size, 1);
  EXPECT_EQ(playerTables[2].columnTypes[1].size, 32);
}

TEST_F(SchemaTest, AFullStoreIsReportedBeforeTheNameIsLookedAt) {
  runStatements({"CREATE TABLE a (x INT, y1 INT, z1 INT)", "CREATE TABLE b (x INT, y1 INT, z1 INT)",
                 "CREATE TABLE c (x INT, y1 INT, z1 INT)"});
  const RecordSnapshot before = takeSnapshot();
  for (const char* s : {"CREATE TABLE d (x INT, y1 INT, z1 INT)", "CREATE TABLE select",
                        "CREATE TABLE", "CREATE TABLE 1 (("}) {
    EXPECT_EQ(runStatement(s), "no empty memory.") << s;
  }
  EXPECT_EQ(runStatement("CREATE d (x INT, y1 INT, z1 INT)"), "TABLE not found.");
  EXPECT_TRUE(sameRecords(before, takeSnapshot()));
}

TEST_F(SchemaTest, AFailureRightAfterASuccessStillFails) {
  EXPECT_EQ(runStatement("CREATE TABLE t (a INT, b INT, c VARCHAR(4))"), "The table was created.");
  EXPECT_EQ(runStatement("CREATE TABLE u (a INT, b INT, c BLAH)"), PreviousAnswer);
  EXPECT_EQ(findPlayerTable("u"), -1);
}

TEST_F(SchemaTest, NamesAreFoundExactlyAndLowestSlotFirst) {
  runStatements({"CREATE TABLE gone (a INT, b INT, c INT)", "CREATE TABLE t1 (a INT, b INT, c INT)",
                 "DROP TABLE gone"});
  EXPECT_EQ(findPlayerTable("t1"), 1);
  EXPECT_EQ(findPlayerTable("T1"), -1);
  EXPECT_EQ(findPlayerTable("t"), -1);
  EXPECT_EQ(findPlayerTable("t1x"), -1);
  EXPECT_EQ(findPlayerTable(""), 0);  // the empty name is a free slot's

  // A second table of the same name goes to the next free slot.
  EXPECT_EQ(runStatement("CREATE TABLE t1 (d INT, e INT, f INT)"), "The table was created.");
  EXPECT_EQ(findPlayerTable("t1"), 0);
  EXPECT_EQ(runStatement("CREATE TABLE Abc (a INT, b INT, c INT)"), "The table was created.");
  EXPECT_EQ(findPlayerTable("Abc"), 2);
  EXPECT_EQ(findPlayerTable("abc"), -1);
  EXPECT_EQ(findPlayerTable(""), -1);

  // Drops take the lower slot first, then the other.
  EXPECT_EQ(runStatement("DROP TABLE t1"), "t1 table was dropped");
  EXPECT_EQ(playerTables[0].name[0], '\0');
  EXPECT_STREQ(playerTables[1].name, "t1");
  EXPECT_EQ(runStatement("DROP TABLE t1"), "t1 table was dropped");
  EXPECT_EQ(findPlayerTable("t1"), -1);
  EXPECT_EQ(runStatement("DROP TABLE t1"), "Player table not found.");
}

TEST_F(SchemaTest, DropAnswers) {
  runStatements({"CREATE TABLE t1 (a INT, b INT, c INT)"});
  expectEachUnchanged({
      {"DROP", "TABLE not found."},
      {"DROP t1", "TABLE not found."},
      {"DROP TABLE T1", "Player table not found."},
      {"DROP TABLE world", "Player table not found."},
      // The empty name finds a free slot: nothing to remove, yet it is reported.
      {"DROP TABLE", " table was dropped"},
  });
  EXPECT_EQ(runStatement("drop table t1 and more"), "t1 table was dropped");
  const PlayerTable empty{};
  EXPECT_EQ(std::memcmp(&playerTables[0], &empty, sizeof empty), 0);
}

TEST_F(SchemaTest, DropWithoutANameOnAFullStoreFindsNothing) {
  runStatements({"CREATE TABLE a (x INT, y1 INT, z1 INT)", "CREATE TABLE b (x INT, y1 INT, z1 INT)",
                 "CREATE TABLE c (x INT, y1 INT, z1 INT)"});
  EXPECT_EQ(runStatement("DROP TABLE"), "Player table not found.");
}

TEST_F(SchemaTest, ADroppedSlotIsReusedWithoutItsRows) {
  runStatements({"CREATE TABLE t (a INT, b INT, c VARCHAR(8))",
                 "CREATE TABLE keep (a INT, b INT, c INT)",
                 "INSERT INTO t (a,b,c) VALUES (1,2,'x')", "INSERT INTO t (a,b,c) VALUES (3,4,'y')",
                 "INSERT INTO t (a,b,c) VALUES (5,6,'z')", "ALTER TABLE t ADD d INT"});
  ASSERT_EQ(playerTables[0].rowCount, 3);
  EXPECT_EQ(runStatement("DROP TABLE t"), "t table was dropped");
  EXPECT_EQ(runStatement("CREATE TABLE u (p INT, q INT, r INT)"), "The table was created.");
  PlayerTable expected{};
  std::strcpy(expected.name, "u");
  std::strcpy(expected.columnNames[0], "p");
  std::strcpy(expected.columnNames[1], "q");
  std::strcpy(expected.columnNames[2], "r");
  for (int i = 0; i < 3; ++i) expected.columnTypes[i] = ColumnType{ColumnInt, 4};
  EXPECT_EQ(std::memcmp(&playerTables[0], &expected, sizeof expected), 0);
  EXPECT_STREQ(playerTables[1].name, "keep");
}

TEST_F(SchemaTest, AlterAnswers) {
  runStatements({"CREATE TABLE t (a INT, b INT, c INT)"});
  expectEachUnchanged({
      {"ALTER", "TABLE not found."},
      {"ALTER t ADD d INT", "TABLE not found."},
      {"ALTER TABLE nope ADD d INT", "Player table not found."},
      {"ALTER TABLE nope DROP d", "Player table not found."},
      {"ALTER TABLE T ADD d INT", "Player table not found."},
      {"ALTER TABLE t DROP a", "no support"},
      {"ALTER TABLE t RENAME u", "no support"},
      {"ALTER TABLE t", "no support"},
      {"ALTER TABLE t ADD", PreviousAnswer},
      {"ALTER TABLE t ADD d", PreviousAnswer},
      {"ALTER TABLE t ADD 1d INT", PreviousAnswer},
      {"ALTER TABLE t ADD 'd' INT", PreviousAnswer},
      {"ALTER TABLE t ADD abcdefghi INT", PreviousAnswer},
      {"ALTER TABLE t ADD d FLOAT", PreviousAnswer},
      {"ALTER TABLE t ADD note VARCHAR ( 33 )", PreviousAnswer},
      {"ALTER TABLE t ADD note VARCHAR ( 8", PreviousAnswer},
  });
}

TEST_F(SchemaTest, AlterFillsColumnsThreeToFiveThenRefuses) {
  runStatements({"CREATE TABLE t (a INT, b INT, c INT)", "INSERT INTO t (a,b,c) VALUES (1,2,3)"});
  EXPECT_EQ(runStatement("alter table t add hp int"), "The column was added.");
  EXPECT_EQ(runStatement("ALTER TABLE t ADD note VARCHAR(32) trailing words"),
            "The column was added.");
  EXPECT_EQ(runStatement("ALTER TABLE t ADD a INT"), "The column was added.");  // names may repeat
  const PlayerTable& t = playerTables[0];
  EXPECT_STREQ(t.columnNames[3], "hp");
  EXPECT_EQ(t.columnTypes[3].kind, ColumnInt);
  EXPECT_STREQ(t.columnNames[4], "note");
  EXPECT_EQ(t.columnTypes[4].kind, ColumnVarchar);
  EXPECT_EQ(t.columnTypes[4].size, 32);
  EXPECT_STREQ(t.columnNames[5], "a");
  // The old row keeps its cells and has empty ones for the new columns.
  EXPECT_STREQ(t.rows[0][0], "1");
  EXPECT_STREQ(t.rows[0][2], "3");
  EXPECT_STREQ(t.rows[0][3], "");

  const RecordSnapshot before = takeSnapshot();
  EXPECT_EQ(runStatement("ALTER TABLE t ADD e INT"), "too many columns.");
  EXPECT_EQ(runStatement("ALTER TABLE t ADD e BLAH"), PreviousAnswer);  // form first, then room
  EXPECT_EQ(runStatement("ALTER TABLE t ADD 9e INT"), PreviousAnswer);
  EXPECT_TRUE(sameRecords(before, takeSnapshot()));
}

TEST_F(SchemaTest, TokenForms) {
  const struct {
    int form;
    const char* text;
    bool passes;
  } cases[] = {
      {FormDigits, "007", true},    {FormDigits, "", true},
      {FormDigits, "-1", false},    {FormDigits, "1a", false},
      {FormTableName, "a", true},   {FormTableName, "Ab12cd34", true},
      {FormTableName, "", false},   {FormTableName, "abcdefghi", false},
      {FormTableName, "1a", false}, {FormTableName, "a_b", false},
      {FormColumnName, "z9", true}, {FormColumnName, "'ab'", false},
      {FormQuoted, "''", true},     {FormQuoted, "'ab1'", true},
      {FormQuoted, "'", false},     {FormQuoted, "'ab", false},
      {FormQuoted, "ab'", false},   {FormQuoted, "'a_b'", false},
      {FormQuoted, "'a'b'", false}, {99, "abc", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(checkTokenForm(c.form, c.text), c.passes) << c.form << " " << c.text;
  }
}

TEST_F(SchemaTest, CellValuesAreCheckedAgainstTheColumnKind) {
  runStatements({"CREATE TABLE t (n INT, s VARCHAR(2), m INT)"});
  const struct {
    int slot, column;
    const char* text;
    int result;
  } cases[] = {
      {0, 0, "007", 1}, {0, 0, "'7'", 0}, {0, 0, "7a", 0}, {0, 1, "'abcdef'", 2},
      {0, 1, "''", 2},  {0, 1, "ab", 0},  {0, 3, "7", 0},  {0, 3, "'a'", 0},
      {1, 0, "7", 0},   {-1, 0, "7", 0},  {3, 0, "7", 0},  {0, 6, "7", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(checkCellValue(c.slot, c.column, c.text), c.result)
        << c.slot << "/" << c.column << " " << c.text;
  }
}

// The statements on the player's tables run while the game runs, where
// nothing may be allocated.
TEST_F(SchemaTest, StatementsOnPlayerTablesAllocateNothing) {
  const AllocationCounter counter;
  runStatements({"CREATE TABLE book (e VARCHAR(8), a VARCHAR(8), n VARCHAR(8))",
                 "ALTER TABLE book ADD hp INT", "ALTER TABLE book DROP hp",
                 "INSERT INTO book (e,a,n) VALUES ('tuti','sagasu','11')",
                 "SELECT e , a , n FROM book WHERE e = 'tuti'",
                 "SELECT a , e , n FROM book WHERE e = 'tu'",
                 "INSERT INTO world (x,y,fieldid) VALUES (5,6,10)", "CREATE TABLE select",
                 "DROP TABLE book", "DROP TABLE book"});
  EXPECT_EQ(counter.count(), 0);
  EXPECT_STREQ(StatusText, "Player table not found.");  // the statements did run
}

}  // namespace
