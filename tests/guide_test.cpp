// The players' guide and its Japanese twin against the game: the message
// table lists exactly the answers the statement cases prove, and the
// reserved-word appendices are the game's list. (The completion tables are
// completion_test's cases.)
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "statements/reserved_words.h"
#include "tests/support/headless_run.h"

namespace {

namespace fs = std::filesystem;

const std::string Guide = sourceFile("docs/players-guide.md");
const std::string Japanese = sourceFile("docs/ReadMe_J.txt");

// The form under which the guide lists an answer with figures in it.
std::string formOf(const std::string& answer) {
  static const std::pair<std::regex, const char*> forms[] = {
      {std::regex("\\d:reliability=-?\\d+"), "K:reliability=R"},
      {std::regex("\\d:w=.*"), "K:w=W,x=X,y=Y,z=Z,f=F"},
      {std::regex("lafolue:x=.*"), "lafolue:x=X,y=Y"},
      {std::regex("\\w* table was dropped"), "NAME table was dropped"},
      {std::regex("[A-Z_]+ didn't support yet\\."), "VERB didn't support yet."},
  };
  for (const auto& [pattern, form] : forms) {
    if (std::regex_match(answer, pattern)) return form;
  }
  return answer;
}

TEST(Guide, MessageTableListsExactlyTheAnswersTheCasesProve) {
  // The winning line and the resting line: proved by the winning game and
  // by the screen moments.
  std::set<std::string> answers{"Congratulation! Score=N", "-Velmora Keep- 03"};
  for (const fs::directory_entry& file :
       fs::directory_iterator(std::string(VELMORA_SOURCE_DIR) + "/tests/cases")) {
    std::istringstream lines(readFile(file.path().string()));
    for (std::string line; std::getline(lines, line);) {
      const size_t arrow = line.find(" => ");
      if (arrow == std::string::npos || line[0] == '#') continue;
      const std::string answer = line.substr(arrow + 4, line.find(" :: ") - arrow - 4);
      if (answer != "-") answers.insert(formOf(answer));
    }
  }
  std::set<std::string> listed;
  bool inside = false;
  std::istringstream guide(Guide);
  for (std::string line; std::getline(guide, line);) {
    if (line.rfind("## ", 0) == 0) inside = line == "## Every message";
    if (inside && line.rfind("| `", 0) == 0) listed.insert(line.substr(3, line.find('`', 3) - 3));
  }
  EXPECT_EQ(listed, answers);
  for (const std::string& form : answers) {
    EXPECT_NE(Japanese.find(form), std::string::npos) << "ReadMe_J.txt lacks " << form;
  }
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
  EXPECT_EQ(listedWordsAfter(Guide, "## Appendix: the reserved words"), reserved);
  EXPECT_EQ(listedWordsAfter(Japanese, "14. 付録：予約語"), reserved);
}

}  // namespace
