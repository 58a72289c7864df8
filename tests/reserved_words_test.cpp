// The reserved words: the list's size, order and case-folded lookup, and
// CREATE TABLE's refusal of them.
#include "statements/reserved_words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "tests/support/statement_fixture.h"

namespace {

TEST(ReservedWordsTest, ListHoldsTwoHundredNinetyTwoDistinctWords) {
  std::set<std::string> folded;
  for (const char* word : ReservedWords) {
    ASSERT_NE(word, nullptr);
    std::string upper(word);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    folded.insert(upper);
  }
  EXPECT_EQ(ReservedWordCount, 292);
  EXPECT_EQ(folded.size(), 292u);
}

TEST(ReservedWordsTest, KeepsItsStoredOrder) {
  // The three runs: SQL words, the game's own names, the people of the keep.
  const struct {
    int index;
    const char* word;
  } cases[] = {{0, "ABS"},       {4, "ADD_MONTHS"}, {249, "Varchar"}, {262, "ZERO_DIVIDE"},
               {263, "charaid"}, {273, "z"},        {274, "Kelvo"},   {291, "Epsoli"}};
  for (const auto& c : cases) EXPECT_STREQ(ReservedWords[c.index], c.word) << c.index;
}

TEST(ReservedWordsTest, LooksUpWholeWordsIgnoringLetterCase) {
  const struct {
    const char* text;
    bool reserved;
  } cases[] = {
      {"SELECT", true},     {"select", true},  {"Select", true},    {"Float", true},
      {"FLOAT", true},      {"float", true},   {"int", true},       {"INT", true},
      {"Int", true},        {"VARCHAR", true}, {"varchar", true},   {"VARCHAR2", true},
      {"world", true},      {"WORLD", true},   {"Party", true},     {"x", true},
      {"Z", true},          {"Tavi", true},    {"TAVI", true},      {"ADD_MONTHS", true},
      {"add_months", true}, {"Epsoli", true},  {"abs", true},       {"TABLE", false},
      {"chara", false},     {"player", false}, {"SELECTED", false}, {"SELEC", false},
      {"", false},          {"worlds", false}, {"xy", false},       {"ADD MONTHS", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isReservedWord(c.text), c.reserved) << c.text;
  }
}

class ReservedNameTest : public FreshGameTest {};

TEST_F(ReservedNameTest, CreateRefusesAReservedNameBeforeItsForm) {
  const char* statements[] = {
      "CREATE TABLE select (a INT, b INT, c INT)",
      "CREATE TABLE World (a INT, b INT, c INT)",
      "CREATE TABLE tavi (a INT, b INT, c INT)",
      // No table name could take these forms, yet the reason given is the word.
      "CREATE TABLE ADD_MONTHS (a INT, b INT, c INT)",
      "CREATE TABLE SP_ADDLOGIN",
      "CREATE TABLE reliability",
  };
  for (const char* s : statements) expectUnchanged(s, "A reservation word cannot be used.");
}

TEST_F(ReservedNameTest, ColumnNamesAreNotChecked) {
  EXPECT_EQ(runStatement("CREATE TABLE t (select INT, x INT, world VARCHAR(4))"),
            "The table was created.");
  EXPECT_STREQ(playerTables[0].columnNames[0], "select");
  EXPECT_EQ(runStatement("CREATE TABLE chara (a INT, b INT, c INT)"), "The table was created.");
  EXPECT_EQ(runStatement("CREATE TABLE player (a INT, b INT, c INT)"), "The table was created.");
}

}  // namespace
