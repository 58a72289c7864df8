// The token store: splitting, the 15-character and 128-slot cuts, removal of
// empty slots, keyword comparison, keyword search and number reading.
#include "sql/tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_state.h"

namespace {

std::vector<std::string> storedTokens() {
  std::vector<std::string> out;
  for (int i = 0; i <= lastToken; ++i) out.emplace_back(tokens[i]);
  return out;
}

// Every slot after lastToken must be empty, up to the last slot.
void expectTailEmpty(const std::string& line) {
  for (int i = lastToken + 1; i < TokenSlots; ++i) {
    ASSERT_EQ(tokens[i][0], '\0') << "slot " << i << " of: " << line;
    ASSERT_EQ(tokenLengths[i], 0u) << "slot " << i << " of: " << line;
  }
}

struct SplitCase {
  std::string line;
  std::vector<std::string> tokens;
};

class TokenizerTest : public ::testing::Test {
 protected:
  void SetUp() override { resetAllState(); }
};

TEST_F(TokenizerTest, SplitsLinesAsThePlayerTypesThem) {
  const SplitCase cases[] = {
      {"SELECT * FROM world WHERE worldid=1",
       {"SELECT", "*", "FROM", "world", "WHERE", "worldid", "=", "1"}},
      {"INSERT INTO t (a,b) VALUES ('x',5)",
       {"INSERT", "INTO", "t", "(", "a", ",", "b", ")", "VALUES", "(", "'x'", ",", "5", ")"}},
      {"", {}},
      {"     ", {}},
      {"select x from world", {"select", "x", "from", "world"}},
      {"t(a,b)", {"t", "(", "a", ",", "b", ")"}},
      {"worldid=1", {"worldid", "=", "1"}},
      {"worldid = 1", {"worldid", "=", "1"}},
      {"worldid   =   1", {"worldid", "=", "1"}},
      {"(a", {"(", "a"}},
      {"  x", {"x"}},
      {"x,", {"x", ","}},
      {"x   ", {"x"}},
      {"a   b", {"a", "b"}},
      {"a,  b", {"a", ",", "b"}},
      {"'a b'", {"'a", "b'"}},
      {"a==b", {"a", "=", "=", "b"}},
      {"a=(b", {"a", "=", "(", "b"}},
      {"((((", {"(", "(", "(", "("}},
      {"\"x\" <> y.z_1 *%!", {"\"x\"", "<>", "y.z_1", "*%!"}},
      {"SELECT abcdefghijklmno FROM world", {"SELECT", "abcdefghijklmno"}},
      {"SELECT abcdefghijklmnop FROM world", {"SELECT", "abcdefghijklmno"}},
      {"abcdefghijklmn=1", {"abcdefghijklmn", "=", "1"}},
      {"abcdefghijklmno=1", {"abcdefghijklmno"}},
  };
  for (const SplitCase& c : cases) {
    tokenize(c.line.c_str());
    EXPECT_EQ(storedTokens(), c.tokens) << "line: " << c.line;
    EXPECT_EQ(lastToken, int(c.tokens.size()) - 1) << "line: " << c.line;
    for (int i = 0; i <= lastToken; ++i) {
      EXPECT_EQ(tokenLengths[i], c.tokens[size_t(i)].size()) << "slot " << i << " of: " << c.line;
    }
    expectTailEmpty(c.line);
  }
}

TEST_F(TokenizerTest, EmptyLineLeavesSlotZeroEmpty) {
  tokenize("");
  EXPECT_EQ(lastToken, -1);
  EXPECT_STREQ(tokens[0], "");
  EXPECT_EQ(tokenLengths[0], 0u);
}

TEST_F(TokenizerTest, LongerEarlierStatementLeavesNoTokensBehind) {
  tokenize("a b c d e f g h i j k l m n o p q r s t u v w x y z");
  ASSERT_EQ(lastToken, 25);
  tokenize("  x ,  y");
  EXPECT_EQ(storedTokens(), (std::vector<std::string>{"x", ",", "y"}));
  expectTailEmpty("  x ,  y");
}

TEST_F(TokenizerTest, StoreHoldsAtMostOneHundredTwentyEightSlots) {
  // 200 one-letter words: the blank after the 128th word would need slot 128.
  std::string words;
  for (int i = 0; i < 200; ++i) words += std::string(1, char('a' + i % 26)) + " ";
  tokenize(words.c_str());
  EXPECT_EQ(lastToken, TokenSlots - 1);
  EXPECT_STREQ(tokens[127], std::string(1, char('a' + 127 % 26)).c_str());

  // Symbols use two slot steps each: "((((..." keeps 64 of them.
  tokenize(std::string(100, '(').c_str());
  EXPECT_EQ(lastToken, 63);
  for (int i = 0; i <= lastToken; ++i) ASSERT_STREQ(tokens[i], "(");
  expectTailEmpty("100 opening brackets");

  // Leading blanks use up slots too, before compaction removes them.
  tokenize((std::string(127, ' ') + "xy z").c_str());
  EXPECT_EQ(storedTokens(), (std::vector<std::string>{"xy"}));
  tokenize((std::string(126, ' ') + "(z").c_str());
  EXPECT_EQ(storedTokens(), (std::vector<std::string>{"("}));
}

TEST_F(TokenizerTest, CompactTokensRemovesEverySlotRun) {
  tokenize("a");
  std::snprintf(tokens[3], TokenSize, "b");
  tokenLengths[3] = 1;
  std::snprintf(tokens[7], TokenSize, "c");
  tokenLengths[7] = 1;
  lastToken = 8;
  compactTokens();
  EXPECT_EQ(storedTokens(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(tokenLengths[1], 1u);
  expectTailEmpty("hand-made store");
}

TEST_F(TokenizerTest, KeywordEqualsFoldsOnlyAsciiLetters) {
  struct Case {
    const char* text;
    const char* keyword;
    bool equal;
  };
  const Case cases[] = {
      {"select", "SELECT", true},
      {"SeLeCt", "SELECT", true},
      {"SELECT", "SELECT", true},
      {"", "SELECT", false},
      {"SELECT1", "SELECT", false},
      {"SELEC", "SELECT", false},
      {"sp_rename", "SP_RENAME", true},
      {"int", "Int", true},
      {"_", "_", true},
      {"@", "`", false},
      {"[", "{", false},
      {"", "", true},
      {"\xe4", "\xc4", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keywordEquals(c.text, c.keyword), c.equal) << c.text << " vs " << c.keyword;
  }
}

TEST_F(TokenizerTest, FindKeywordSearchesThroughTheLastToken) {
  tokenize("SELECT x FROM");
  EXPECT_EQ(findKeyword(1, "FROM"), 2);
  EXPECT_EQ(findKeyword(0, "from"), 2);
  EXPECT_EQ(findKeyword(3, "FROM"), 3);
  EXPECT_EQ(findKeyword(0, "SELECT"), 0);
  EXPECT_EQ(findKeyword(1, "SELECT"), 3);

  tokenize("SELECT x");
  EXPECT_EQ(findKeyword(1, "FROM"), 2);

  tokenize("UPDATE world SET x = 1 WHERE a = 1 AND b = 2 AND c = 3");
  EXPECT_EQ(findKeyword(0, "AND"), 10);
  EXPECT_EQ(findKeyword(11, "and"), 14);
  EXPECT_EQ(findKeyword(50, "AND"), lastToken + 1);

  tokenize("");
  EXPECT_EQ(findKeyword(0, "FROM"), 0);
}

TEST_F(TokenizerTest, ReadNumberTakesTheLeadingInteger) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"0", 0},
      {"42", 42},
      {"-7", -7},
      {"+13", 13},
      {"12ab", 12},
      {"ab12", 0},
      {"", 0},
      {"-", 0},
      {"+", 0},
      {"--1", 0},
      {"'5'", 0},
      {"007", 7},
      {"2147483647", INT32_MAX},
      {"2147483648", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"-99999999999999", INT32_MIN},
      {"999999999999999", INT32_MAX},
      {"3.9", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(readNumber(c.text), c.value) << c.text;
}

}  // namespace
