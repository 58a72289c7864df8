// The players' guide and its Japanese twin against the game: the
// reserved-word appendices are the game's list. (The completion tables are
// completion_test's cases.)
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "statements/reserved_words.h"
#include "tests/support/headless_run.h"

namespace {

const std::string Guide = sourceFile("docs/players-guide.md");
const std::string Japanese = sourceFile("docs/ReadMe_J.txt");

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
  EXPECT_EQ(listedWordsAfter(Guide, "## Appendix: the reserved words"), reserved);
  EXPECT_EQ(listedWordsAfter(Japanese, "14. 付録：予約語"), reserved);
}

}  // namespace
