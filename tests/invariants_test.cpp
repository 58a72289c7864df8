// The invariant checker: a started game passes, the legal corner states pass,
// and each single corruption of a record is caught and named.
#include "tests/support/invariants.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "game/game_state.h"
#include "tests/support/statement_fixture.h"

namespace {

class InvariantsTest : public FreshGameTest {
 protected:
  void SetUp() override {
    FreshGameTest::SetUp();
    GameMode = ModeField;
    setStatus("-Velmora Keep- 03");
  }
};

// Fills slot 0 with a legal table of `columns` INT columns and `rows` rows.
void makeTable(int columns, int rows) {
  PlayerTable& t = playerTables[0];
  std::memset(&t, 0, sizeof t);
  std::strcpy(t.name, "spells");
  for (int c = 0; c < columns; ++c) {
    t.columnNames[c][0] = char('a' + c);
    t.columnTypes[c] = ColumnType{ColumnInt, 4};
  }
  for (int r = 0; r < rows; ++r) std::strcpy(t.rows[r][0], "12");
  t.rowCount = uint8_t(rows);
}

void setLine(char* line, uint8_t* length, int count) {
  std::memset(line, 0, CommandSize);
  std::memset(line, 'a', size_t(count));
  if (length != nullptr) *length = uint8_t(count);
}

struct Corruption {
  const char* name;
  std::function<void()> apply;
  const char* named;  // a word the reason must hold
};

const Corruption Corruptions[] = {
    {"status unterminated", [] { std::memset(StatusText, 'x', StatusSize); }, "StatusText"},
    {"command length off", [] { setLine(CommandLine, &CommandLength, 5), CommandLength = 4; },
     "CommandLength"},
    {"command too long", [] { setLine(CommandLine, &CommandLength, 113); }, "CommandLine"},
    {"command unterminated", [] { std::memset(CommandLine, 'a', CommandSize); }, "CommandLine"},
    {"last command too long", [] { setLine(LastCommand, nullptr, 120); }, "LastCommand"},
    {"command off the grid", [] { setLine(CommandLine, &CommandLength, 3), CommandLine[1] = '$'; },
     "CommandLine character 1"},
    {"erase code in the command",
     [] { setLine(CommandLine, &CommandLength, 3), CommandLine[2] = char(0x80); }, "byte 128"},
    {"submit code in the last command",
     [] { setLine(LastCommand, nullptr, 2), LastCommand[0] = 0x7F; }, "LastCommand character 0"},
    {"tab in the last command", [] { setLine(LastCommand, nullptr, 2), LastCommand[1] = '\t'; },
     "LastCommand"},
    {"score over the budget", [] { Score = 5001; }, "Score"},
    {"score below zero", [] { Score = -1; }, "Score"},
    {"cleared with a chara on its way",
     [] { GameMode = ModeCleared, Charas[0].moveKind = Charas[1].moveKind = MoveArrived; },
     "not all"},
    {"all arrived in the field",
     [] { Charas[0].moveKind = Charas[1].moveKind = Charas[2].moveKind = MoveArrived; },
     "with all"},
    {"lastToken below -1", [] { lastToken = -2; }, "lastToken"},
    {"lastToken past the store", [] { lastToken = TokenSlots; }, "lastToken"},
    {"token past lastToken", [] { tokens[5][0] = 'x', tokenLengths[5] = 1, lastToken = -1; },
     "past lastToken"},
    {"empty token before lastToken",
     [] { std::strcpy(tokens[0], "a"), tokenLengths[0] = 1, lastToken = 1; }, "empty"},
    {"token length off", [] { std::strcpy(tokens[0], "ab"), tokenLengths[0] = 1, lastToken = 0; },
     "tokenLengths"},
    {"token unterminated", [] { std::memset(tokens[2], 'q', TokenSize); }, "token 2"},
    {"tile code 12 on floor 1", [] { WorldMaps[0].cells[cellIndex(3, 4, 1)] = 12; }, "world 1"},
    {"tile code 255 on floor 8", [] { WorldMaps[4].cells[CellsPerWorld - 1] = 255; }, "floor 8"},
    {"floor 2 cell changed", [] { WorldMaps[1].cells[cellIndex(0, 1, 2)] ^= 1; }, "floor 2"},
    {"floor 8 corner emptied", [] { WorldMaps[4].cells[cellIndex(31, 31, 8)] = 0; },
     "world 5 floor 8 cell (31, 31)"},
    {"leader on floor 2", [] { LeaderPos.floor = 2; }, "leader"},
    {"leader in world 0", [] { LeaderPos.world = 0; }, "leader"},
    {"leader in world 6", [] { LeaderPos.world = 6; }, "leader"},
    {"leader at x 33", [] { LeaderPos.x = 33; }, "leader"},
    {"leader at y 255", [] { LeaderPos.y = 255; }, "leader"},
    {"chara 2 in world 2", [] { Charas[0].pos.world = 2; }, "chara 2"},
    {"chara 4 on floor 0", [] { Charas[2].pos.floor = 0; }, "chara 4"},
    {"chara 3 at x 32", [] { Charas[1].pos.x = 32; }, "chara 3"},
    {"chara 3 at y 255", [] { Charas[1].pos.y = 255; }, "chara 3"},
    {"chara moving by kind 4", [] { Charas[0].moveKind = 4; }, "kind"},
    {"free slot with a row count", [] { playerTables[1].rowCount = 1; }, "free table slot 1"},
    {"free slot with a column", [] { playerTables[2].columnTypes[0].kind = ColumnInt; },
     "free table slot 2"},
    {"table of two columns", [] { makeTable(2, 0); }, "2 columns"},
    {"column gap", [] { makeTable(5, 0), playerTables[0].columnTypes[3] = ColumnType{}; },
     "past its"},
    {"name past the columns", [] { makeTable(3, 0), playerTables[0].columnNames[4][0] = 'z'; },
     "column 4"},
    {"size past the columns",
     [] {
       makeTable(3, 0), playerTables[0].columnTypes[3] = ColumnType{0, 4};
     },
     "column 3"},
    {"INT of size 3", [] { makeTable(3, 0), playerTables[0].columnTypes[1].size = 3; }, "size 3"},
    {"VARCHAR(0)",
     [] {
       makeTable(3, 0), playerTables[0].columnTypes[0] = ColumnType{2, 0};
     },
     "size 0"},
    {"VARCHAR(33)",
     [] {
       makeTable(3, 0), playerTables[0].columnTypes[0] = ColumnType{2, 33};
     },
     "size 33"},
    {"column kind 3",
     [] {
       makeTable(3, 0), playerTables[0].columnTypes[2] = ColumnType{3, 4};
     },
     "kind 3"},
    {"unnamed column", [] { makeTable(3, 0), playerTables[0].columnNames[1][0] = '\0'; },
     "no name"},
    {"row count 4", [] { makeTable(3, 3), playerTables[0].rowCount = 4; }, "rowCount"},
    {"row past the count", [] { makeTable(3, 1), playerTables[0].rows[2][5][0] = '1'; }, "row 2"},
    {"table name unterminated",
     [] { makeTable(3, 0), std::memset(playerTables[0].name, 'n', PlayerNameSize); }, "name"},
    {"column name unterminated",
     [] { makeTable(3, 0), std::memset(playerTables[0].columnNames[0], 'c', PlayerNameSize); },
     "column 0"},
    {"cell unterminated",
     [] { makeTable(3, 2), std::memset(playerTables[0].rows[1][2], '7', PlayerCellSize); },
     "row 1 cell 2"},
    {"privilege flag 2", [] { Authority[1].privileges[3][PrivSelect] = 2; }, "privilege"},
    {"privilege in world 5", [] { Authority[4].privileges[0][5] = 255; }, "world 5"},
    {"mode 2", [] { GameMode = 2; }, "GameMode"},
    {"mode 253", [] { GameMode = 253; }, "GameMode"},
    {"cursor column 13", [] { CursorCol = 13; }, "cursor"},
    {"cursor row 7", [] { CursorRow = 7; }, "cursor"},
    {"previous cursor row 9", [] { PrevCursorRow = 9; }, "previous cursor"},
};

TEST_F(InvariantsTest, StartedGamePasses) {
  std::string why;
  EXPECT_TRUE(checkInvariants(&why)) << why;
}

TEST_F(InvariantsTest, EachCorruptionIsCaughtAndNamed) {
  for (const Corruption& c : Corruptions) {
    startFreshGame();
    GameMode = ModeField;
    c.apply();
    std::string why;
    EXPECT_FALSE(checkInvariants(&why)) << c.name;
    EXPECT_NE(why.find(c.named), std::string::npos) << c.name << ": " << why;
    EXPECT_FALSE(checkInvariants(nullptr)) << c.name;
  }
}

TEST_F(InvariantsTest, LegalCornerStatesPass) {
  const Corruption legal[] = {
      {"leader on row and column 32", [] { LeaderPos.x = 32, LeaderPos.y = 32; }, ""},
      {"leader in world 5", [] { LeaderPos.world = 5; }, ""},
      {"leader on an empty cell", [] { WorldMaps[0].cells[cellIndex(1, 1, 1)] = 0; }, ""},
      {"chara on a wall", [] { WorldMaps[1].cells[cellIndex(1, 1, 1)] = 3; }, ""},
      {"floor 1 cell changed", [] { WorldMaps[4].cells[cellIndex(31, 31, 1)] = 0; }, ""},
      {"chara at 31, 31", [] { Charas[2].pos.x = 31, Charas[2].pos.y = 31; }, ""},
      {"arrived chara", [] { Charas[1].moveKind = MoveArrived; }, ""},
      {"status of 129 characters", [] { setLine(StatusText, nullptr, 129); }, ""},
      {"command of 112 characters", [] { setLine(CommandLine, &CommandLength, 112); }, ""},
      {"full store of tokens",
       [] {
         for (int i = 0; i < TokenSlots; ++i) std::strcpy(tokens[i], "abcdefghijklmno");
         for (auto& l : tokenLengths) l = 15;
         lastToken = TokenSlots - 1;
       },
       ""},
      {"six columns and three rows",
       [] {
         makeTable(6, 3), playerTables[0].columnTypes[5] = ColumnType{2, 32};
       },
       ""},
      {"VARCHAR(1) and a full cell",
       [] {
         makeTable(3, 1), playerTables[0].columnTypes[0] = ColumnType{2, 1};
         std::memset(playerTables[0].rows[0][0], 'x', 32);
       },
       ""},
      {"cleared game",
       [] {
         GameMode = ModeCleared, Score = 0;
         for (CharaRec& c : Charas) c.moveKind = MoveArrived;
       },
       ""},
      {"every grid character in both lines",
       [] {
         const char all[] =
             "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789(),"
             " +-*/='<>!.%_#;^&|~\"\\";
         std::strcpy(CommandLine, all), CommandLength = uint8_t(std::strlen(all));
         std::strcpy(LastCommand, all);
       },
       ""},
      {"command entry with the cursor at the corner",
       [] { GameMode = ModeCommand, CursorCol = 12, CursorRow = 6; }, ""},
  };
  for (const Corruption& c : legal) {
    startFreshGame();
    GameMode = ModeField;
    c.apply();
    std::string why;
    EXPECT_TRUE(checkInvariants(&why)) << c.name << ": " << why;
  }
}

TEST_F(InvariantsTest, EveryTileCodeAtEveryByteOfAWord) {
  for (int code = 0; code < 256; ++code) {
    for (int at = 0; at < 8; ++at) {
      startFreshGame();
      GameMode = ModeField;
      // Neighbours hold the highest legal code, the likeliest to hide a bad one.
      for (int i = 0; i < 8; ++i) WorldMaps[2].cells[512 + i] = TileGoal;
      WorldMaps[2].cells[512 + at] = uint8_t(code);
      EXPECT_EQ(checkInvariants(), code < TileCount) << "code " << code << " at byte " << at;
    }
  }
}

TEST(InvariantsAtStart, TitleBeforeTheFiguresArePlacedPasses) {
  resetAllState();
  EXPECT_TRUE(checkInvariants());
  // Once placed, the figures are checked even in the title mode.
  startFreshGame();
  LeaderPos.floor = 3;
  std::string why;
  EXPECT_FALSE(checkInvariants(&why));
  EXPECT_NE(why.find("leader"), std::string::npos) << why;
}

}  // namespace
