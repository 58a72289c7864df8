// Tab completion: the verb table for lines of at most one character, the
// last-character table with its first-character conditions, recall of the
// last statement, and the length limits that keep the line in its storage.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/game_state.h"
#include "tests/support/command_entry_support.h"
#include "ui/command_entry.h"
#include "ui/main_window.h"

namespace {

struct Completion {
  std::string before;
  std::string after;
};

class CompletionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openFreshCommandEntry();
    std::strcpy(LastCommand, "SELECT * FROM party WHERE charaid=1");
  }

  void expectCompletions(const Completion* begin, const Completion* end) {
    for (const Completion* c = begin; c != end; ++c) {
      setCommandLine(c->before);
      completeWord();
      EXPECT_EQ(std::string(CommandLine), c->after) << "line: \"" << c->before << "\"";
      EXPECT_EQ(CommandLength, c->after.size()) << "line: \"" << c->before << "\"";
    }
  }
};

TEST_F(CompletionTest, OneCharacterLinesCompleteTheVerb) {
  const std::string last = LastCommand;
  const Completion cases[] = {
      {"A", "ALTER "},
      {"C", "CREATE "},
      {"D", "DELETE FROM "},
      {"G", "GRANT "},
      {"I", "INSERT INTO "},
      {"R", "REVOKE "},
      {"S", "SELECT "},
      {"U", "UPDATE "},
      // Any other start recalls the last statement, the empty line included.
      {"", last},
      {"B", last},
      {"a", last},
      {"s", last},
      {" ", last},
      {"(", last},
      {"\\", last},
  };
  expectCompletions(std::begin(cases), std::end(cases));
}

TEST_F(CompletionTest, LastCharacterPicksThePiece) {
  const Completion cases[] = {
      {"S ", "S "},
      {"ALTER TABLE t A", "ALTER TABLE t ADD "},
      {"DA", "DAND "},
      {"SA", "SAND "},
      {"UA", "UAND "},
      {"GA", "GALL "},
      {"RA", "RALL "},
      {"xC", "xCREATE TABLE "},
      {"xD", "xDELETE "},
      {"SELECT * F", "SELECT * FROM "},
      {"AI", "AINT"},
      {"CREATE TABLE t (a I", "CREATE TABLE t (a INT"},
      {"GI", "GINSERT "},
      {"RI", "RINSERT "},
      {"GRANT SELECT O", "GRANT SELECT ON "},
      {"DR", "DROP "},
      {"GS", "GSELECT "},
      {"RS", "RSELECT "},
      {"US", "USET "},
      {"AT", "ATABLE "},
      {"CT", "CTABLE "},
      {"DT", "DTABLE "},
      {"GT", "GTO "},
      {"xU", "xUPDATE "},
      {"AV", "AVARCHAR("},
      {"CV", "CVARCHAR("},
      {"IV", "IVALUES("},
      {"SELECT * FROM world W", "SELECT * FROM world WHERE "},
      {"xa", "xaid="},
      {"xc", "xchara"},
      {"xd", "xdid="},
      {"xf", "xfieldid"},
      {"Gp", "Gplayer "},
      {"Rp", "Rplayer "},
      {"Sp", "Sparty "},
      {"xr", "xreliability "},
      {"xw", "xworld"},
  };
  expectCompletions(std::begin(cases), std::end(cases));
}

TEST_F(CompletionTest, ListedLettersWithAnotherFirstCharacterGainNothing) {
  const Completion cases[] = {
      {"xA", "xA"}, {"IA", "IA"}, {"CA", "CA"}, {"aA", "aA"}, {"xI", "xI"}, {"DI", "DI"},
      {"SI", "SI"}, {"xR", "xR"}, {"GR", "GR"}, {"dR", "dR"}, {"AS", "AS"}, {"SS", "SS"},
      {"DS", "DS"}, {"ST", "ST"}, {"RT", "RT"}, {"UT", "UT"}, {"GV", "GV"}, {"SV", "SV"},
      {"Ap", "Ap"}, {"Up", "Up"}, {"sp", "sp"}, {"gp", "gp"},
  };
  expectCompletions(std::begin(cases), std::end(cases));
}

TEST_F(CompletionTest, UnlistedLastCharactersGainOneBlank) {
  const Completion cases[] = {
      {"Sx", "Sx "},
      {"SB", "SB "},
      {"Sb", "Sb "},
      {"SE", "SE "},
      {"SZ", "SZ "},
      {"Sz", "Sz "},
      {"S1", "S1 "},
      {"S(", "S( "},
      {"S)", "S) "},
      {"S,", "S, "},
      {"S=", "S= "},
      {"S*", "S* "},
      {"S'", "S' "},
      {"S\\", "S\\ "},
      {"S_", "S_ "},
      {"S\"", "S\" "},
      {"x1", "x1 "},
      {"xyz", "xyz "},
      {"charaid=1", "charaid=1 "},
  };
  expectCompletions(std::begin(cases), std::end(cases));
}

TEST_F(CompletionTest, PiecesBuildAStatementStepByStep) {
  setCommandLine("A");
  completeWord();  // ALTER
  setCommandLine(std::string(CommandLine) + "T");
  completeWord();
  EXPECT_STREQ(CommandLine, "ALTER TABLE ");

  setCommandLine("SELECT * FROM world WHERE c");
  completeWord();
  EXPECT_STREQ(CommandLine, "SELECT * FROM world WHERE chara");
  completeWord();
  EXPECT_STREQ(CommandLine, "SELECT * FROM world WHERE charaid=");
  completeWord();  // "=" is not in the table
  EXPECT_STREQ(CommandLine, "SELECT * FROM world WHERE charaid= ");
  completeWord();  // a blank gains nothing
  EXPECT_STREQ(CommandLine, "SELECT * FROM world WHERE charaid= ");
}

TEST_F(CompletionTest, RecallReplacesTheWholeLine) {
  std::memset(LastCommand, 0, sizeof LastCommand);
  setCommandLine("B");
  completeWord();  // nothing submitted yet: the line becomes empty
  EXPECT_STREQ(CommandLine, "");
  EXPECT_EQ(CommandLength, 0);

  std::strcpy(LastCommand, "\\v");
  setCommandLine("");
  completeWord();
  EXPECT_STREQ(CommandLine, "\\v");
  EXPECT_EQ(CommandLength, 2);
}

TEST_F(CompletionTest, LengthLimits) {
  // 100 characters still complete, up to the longest piece: 112 in all.
  setCommandLine(std::string(99, 'x') + "C");
  completeWord();
  EXPECT_EQ(CommandLength, 112);
  EXPECT_EQ(std::string(CommandLine), std::string(99, 'x') + "CREATE TABLE ");
  for (size_t i = 112; i < sizeof CommandLine; ++i) ASSERT_EQ(CommandLine[i], '\0') << i;

  // From 101 characters on, Tab does nothing.
  setCommandLine(std::string(100, 'x') + "C");
  completeWord();
  EXPECT_EQ(CommandLength, 101);
  EXPECT_EQ(std::string(CommandLine), std::string(100, 'x') + "C");

  // A recalled statement of the longest length fits too.
  std::memcpy(LastCommand, std::string(112, 'q').c_str(), 113);
  setCommandLine("");
  completeWord();
  EXPECT_EQ(CommandLength, 112);
}

TEST_F(CompletionTest, CompletedLineIsShownInTheStrip) {
  setCommandLine("S");
  completeWord();  // "SELECT ": the last slot holds a blank, the one before it a T
  EXPECT_EQ(darkPixels(Form1.Image2, commandSlot(1)), 0);
  EXPECT_GT(darkPixels(Form1.Image2, commandSlot(2)), 0);
  EXPECT_GT(darkPixels(Form1.Image2, commandSlot(7)), 0);
  EXPECT_EQ(darkPixels(Form1.Image2, commandSlot(8)), 0);
}

}  // namespace
