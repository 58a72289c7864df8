// The players' guide against the game: its Tab completion tables and words,
// its reserved-word appendices (and the Japanese read-me's), the view's size.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "statements/reserved_words.h"
#include "tests/support/form_fixture.h"
#include "tests/support/headless_run.h"
#include "ui/command_entry.h"
#include "ui/view_size.h"

namespace {

std::vector<std::string> codeSpans(const std::string& text) {
  static const std::regex span("`([^`]*)`");
  std::vector<std::string> spans;
  for (std::sregex_iterator m(text.begin(), text.end(), span), end; m != end; ++m) {
    spans.push_back((*m)[1]);
  }
  return spans;
}

// Returns the line Tab leaves after `line` was composed.
std::string completed(const std::string& line) {
  std::memset(CommandLine, 0, sizeof CommandLine);
  std::memcpy(CommandLine, line.data(), line.size());
  CommandLength = uint8_t(line.size());
  completeWord();
  EXPECT_EQ(CommandLength, std::strlen(CommandLine)) << line;
  return CommandLine;
}

class Completion : public ::testing::Test {
 protected:
  void SetUp() override {
    startFieldGame();
    openCommandEntry();
    std::strcpy(LastCommand, "SELECT * FROM party WHERE charaid=1");
  }
};

TEST_F(Completion, TheGuidesTablesAreWhatTabDoes) {
  std::istringstream guide(sourceFile("docs/players-guide.md"));
  bool inside = false;
  int cases = 0;
  for (std::string line; std::getline(guide, line);) {
    if (line.rfind("## ", 0) == 0) inside = line == "## Tab completion";
    if (!inside || line.rfind("| `", 0) != 0) continue;
    std::vector<std::string> cells;
    std::stringstream row(line.substr(1));
    for (std::string cell; std::getline(row, cell, '|');) cells.push_back(cell);
    if (cells.size() == 2) {  // `C` | `CREATE `
      ASSERT_EQ(codeSpans(cells[0]).size(), 1u) << line;
      EXPECT_EQ(completed(codeSpans(cells[0])[0]), codeSpans(cells[1]).at(0)) << line;
      ++cases;
      continue;
    }
    // Last character | first characters (or "any") | what is added.
    ASSERT_EQ(cells.size(), 3u) << line;
    const std::vector<std::string> last = codeSpans(cells[0]);
    const std::vector<std::string> added = codeSpans(cells[2]);
    std::vector<std::string> firsts = codeSpans(cells[1]);
    if (last.size() != 1 || added.size() != 1) continue;  // rows told in words
    if (cells[1].find("any") != std::string::npos) firsts = {"x"};
    for (const std::string& first : firsts) {
      EXPECT_EQ(completed(first + last[0]), first + last[0] + added[0]) << line;
      ++cases;
    }
  }
  EXPECT_GE(cases, 40);
}

TEST_F(Completion, OtherLinesGainABlankOrRecallTheLastStatementWithinTheLengthLimits) {
  const std::string last = LastCommand;
  const struct {
    std::string before, after;
  } cases[] = {
      {"", last},    {"B", last},   {"s", last},     {"(", last},    {"xA", "xA"},
      {"IA", "IA"},  {"SI", "SI"},  {"GR", "GR"},    {"SS", "SS"},   {"RT", "RT"},
      {"GV", "GV"},  {"Up", "Up"},  {"sp", "sp"},    {"Sx", "Sx "},  {"SE", "SE "},
      {"S1", "S1 "}, {"S'", "S' "}, {"S\\", "S\\ "}, {"x= ", "x= "}, {"charaid=1", "charaid=1 "},
  };
  for (const auto& c : cases) EXPECT_EQ(completed(c.before), c.after) << c.before;
  // Up to 100 characters Tab still completes, to 112 at most; from 101 on it
  // does nothing; a recalled statement of the longest length fits.
  EXPECT_EQ(completed(std::string(99, 'x') + "C"), std::string(99, 'x') + "CREATE TABLE ");
  for (size_t i = 112; i < sizeof CommandLine; ++i) ASSERT_EQ(CommandLine[i], '\0') << i;
  EXPECT_EQ(completed(std::string(100, 'x') + "C"), std::string(100, 'x') + "C");
  std::memcpy(LastCommand, std::string(112, 'q').c_str(), 113);
  EXPECT_EQ(completed(""), std::string(112, 'q'));
  std::memset(LastCommand, 0, sizeof LastCommand);
  EXPECT_EQ(completed("B"), "");
}

// The words of the comma-separated list lines after the line `marker`.
std::set<std::string> listedWordsAfter(const std::string& text, const std::string& marker) {
  const std::regex wordList("[A-Za-z0-9_]+(, [A-Za-z0-9_]+)*[,.]?");
  const std::regex word("[A-Za-z0-9_]+");
  std::set<std::string> listed;
  bool after = false;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    after = after || line == marker;
    if (!after || !std::regex_match(line, wordList)) continue;
    for (std::sregex_iterator w(line.begin(), line.end(), word), end; w != end; ++w) {
      listed.insert(w->str());
    }
  }
  return listed;
}

TEST(Guide, ReservedWordAppendicesAreTheGamesList) {
  const std::set<std::string> reserved(std::begin(ReservedWords), std::end(ReservedWords));
  EXPECT_EQ(
      listedWordsAfter(sourceFile("docs/players-guide.md"), "## Appendix: the reserved words"),
      reserved);
  EXPECT_EQ(listedWordsAfter(sourceFile("docs/ReadMe_J.txt"), "17. 付録：予約語"), reserved);
}

// The read-me and the manual give the screenshot's size as the game makes it.
TEST(Guide, DocumentsGiveTheViewsSize) {
  const std::string size = std::to_string(ViewWidth) + " x " + std::to_string(ViewHeight);
  for (const char* file : {"README.md", "docs/velmora.6"}) {
    std::istringstream text(sourceFile(file));
    int told = 0;
    for (std::string line; std::getline(text, line);) {
      static const std::regex anySize(R"(\b\d{3} x \d{3}\b)");
      if (!std::regex_search(line, anySize)) continue;
      EXPECT_NE(line.find(size), std::string::npos) << file << ": " << line;
      ++told;
    }
    EXPECT_GT(told, 0) << file;
  }
}

}  // namespace
