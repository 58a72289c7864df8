// Tests of the players' guide and its Japanese twin: the screenshot scripts
// run with the real game, every message the guide quotes is the game's own
// text, the completion tables are what Tab does, and the reserved-word
// appendix is the game's list.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/movement.h"
#include "platform/png_io.h"
#include "statements/reserved_words.h"
#include "tests/support/headless_run.h"
#include "tests/support/statement_fixture.h"

namespace {

namespace fs = std::filesystem;

const std::string SourceDir = VELMORA_SOURCE_DIR;
const std::string GuidePath = SourceDir + "/docs/players-guide.md";
const std::string JapanesePath = SourceDir + "/docs/ReadMe_J.txt";

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream s(text);
  for (std::string line; std::getline(s, line);) lines.push_back(line);
  return lines;
}

// The lines of the guide's section headed `heading`, up to the next "## ".
std::vector<std::string> sectionOf(const std::string& text, const std::string& heading) {
  std::vector<std::string> section;
  bool inside = false;
  for (const std::string& line : linesOf(text)) {
    if (line.rfind("## ", 0) == 0) inside = line == "## " + heading;
    if (inside) section.push_back(line);
  }
  return section;
}

// The texts between backticks in one line, in order.
std::vector<std::string> codeSpans(const std::string& line) {
  std::vector<std::string> spans;
  size_t open = line.find('`');
  while (open != std::string::npos) {
    size_t close = line.find('`', open + 1);
    if (close == std::string::npos) break;
    spans.push_back(line.substr(open + 1, close - open - 1));
    open = line.find('`', close + 1);
  }
  return spans;
}

// The cells of a Markdown table row, without the outer bars.
std::vector<std::string> cellsOf(const std::string& row) {
  std::vector<std::string> cells;
  std::string cell;
  for (size_t i = 1; i < row.size(); ++i) {
    if (row[i] == '|') {
      cells.push_back(cell);
      cell.clear();
    } else {
      cell += row[i];
    }
  }
  return cells;
}

// A private directory in which the game runs; gone after the test.
class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/velmora-guide-XXXXXX";
    if (mkdtemp(pattern) != nullptr) path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Runs `velmora --headless script` with `dir` as its working directory, so
// the relative picture paths of a script land inside `dir`.
HeadlessRun runGame(const std::string& dir, const std::string& scriptPath) {
  return runVelmora("--headless '" + scriptPath + "'", "",
                    RunSettings{"cd '" + dir + "' && ASAN_OPTIONS=detect_leaks=0", false});
}

// What the game showed at one `state` line of a script.
struct Shown {
  std::string status;   // the strip's message
  std::string command;  // the statement being composed
};

// Runs script text and returns what every `state` line of it printed.
std::vector<Shown> statesOf(const std::string& script, HeadlessRun* run) {
  ScratchDir dir;
  std::ofstream(dir.path() + "/script.txt", std::ios::binary) << script;
  *run = runGame(dir.path(), dir.path() + "/script.txt");
  std::vector<Shown> states;
  for (const nlohmann::json& state : run->states) {
    if (state.is_discarded()) continue;
    states.push_back({state.value("status", std::string()), state.value("command", std::string())});
  }
  return states;
}

// --- screenshot scripts -------------------------------------------------------

TEST(GuideScreenshots, EveryScriptRunsAndWritesItsPicturesWhereItIsRun) {
  const fs::path scripts = SourceDir + "/docs/screenshots";
  std::set<std::string> written;
  for (const fs::directory_entry& entry : fs::directory_iterator(scripts)) {
    if (entry.path().extension() != ".txt") continue;
    const std::string name = entry.path().filename().string();
    ScratchDir dir;
    ASSERT_FALSE(dir.path().empty());
    fs::create_directories(dir.path() + "/docs/images");

    const HeadlessRun run = runGame(dir.path(), entry.path().string());
    EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    EXPECT_EQ(run.err, "") << name;

    int pictures = 0;
    for (const std::string& line : linesOf(readFile(entry.path().string()))) {
      if (line.rfind("screenshot ", 0) != 0) continue;
      const std::string target = line.substr(11);
      ++pictures;
      EXPECT_EQ(target.rfind("docs/images/", 0), 0u) << name << " writes outside docs/images";
      const std::string picture = readFile(dir.path() + "/" + target);
      platform::RgbaImage image;
      ASSERT_TRUE(platform::decodePng(reinterpret_cast<const uint8_t*>(picture.data()),
                                      picture.size(), &image))
          << name << ": " << target;
      EXPECT_EQ(image.width, 576) << target;
      EXPECT_EQ(image.height, 464) << target;
      EXPECT_TRUE(fs::exists(SourceDir + "/" + target)) << target << " is not committed";
      written.insert(target.substr(5));  // "images/NAME.png", as the guide links it
    }
    EXPECT_GT(pictures, 0) << name << " takes no screenshot";
  }

  // Every picture the guide shows comes from one of the scripts.
  const std::string guide = readFile(GuidePath);
  int shown = 0;
  for (size_t at = guide.find("](images/"); at != std::string::npos;
       at = guide.find("](images/", at + 1)) {
    const std::string link = guide.substr(at + 2, guide.find(')', at) - at - 2);
    EXPECT_TRUE(written.count(link)) << link << " is made by no script";
    ++shown;
  }
  EXPECT_GE(shown, 7);
}

// --- messages -------------------------------------------------------------------

// Statements run one after another in one game, each with the answer the
// guide quotes for it. A null statement is a step in the field instead.
// `form` is how the guide's message table lists a formatted answer, of
// which `answer` is the guide's example; unformatted answers are listed as
// they are.
struct MessageCase {
  const char* statement;
  const char* answer;
  const char* form = nullptr;
};
const char* const Verb = "VERB didn't support yet.";
const MessageCase Messages[] = {
    // First, so the reliability is 50 plus the 10 of the turn Enter took.
    {"SELECT reliability FROM world WHERE worldid=1 AND charaid=1", "1:reliability=60",
     "K:reliability=R"},
    {"SELECT * FROM party WHERE charaid=1", "1:w=1,x= 1,y= 1,z=1,f=10", "K:w=W,x=X,y=Y,z=Z,f=F"},
    {"", "Command error."},
    {"\\h", "Command error."},
    {"SELECT", "FROM not found."},
    {"SELECT * FROM party", "no supported"},
    {"SELECT * FROM world WHERE worldid=4", "There is no authority."},
    {"GRANT", "ON not found."},
    {"GRANT SELECT ON world1", "TO not found."},
    {"REVOKE SELECT ON world1 TO player", "FROM not found."},
    {"GRANT SELECT ON world1 TO player", "Authority was given."},
    {"REVOKE INSERT ON world2 FROM player", "Authority was snatched."},
    {"INSERT world", "INTO not found."},
    {"INSERT INTO world", "VALUES not found."},
    {"UPDATE world", "SET not found."},
    {"UPDATE world SET", "WHERE not found."},
    {"DELETE world", "FROM not found."},
    {"CREATE t", "TABLE not found."},
    {"CREATE TABLE world (a INT,b INT,c INT)", "A reservation word cannot be used."},
    {"CREATE TABLE book (e VARCHAR(8),a VARCHAR(8),n INT)", "The table was created."},
    {"INSERT INTO book (e,a,n) VALUES ('tuti','sagasu',11)", "INSERT OK!"},
    {"SELECT e,a,n FROM book WHERE e='tuti'", "lafolue:x=29,y=29", "lafolue:x=X,y=Y"},
    {"SELECT a,e,n FROM book WHERE e='tuti'", "Magic was fumbled!"},
    {"INSERT INTO book (e,a,n) VALUES ('tuti','sagasu',200)", "INSERT OK!"},
    {"SELECT e,a,n FROM book WHERE n=200", "lafolue:not found"},
    {"ALTER TABLE book ADD hp INT", "The column was added."},
    {"ALTER TABLE book ADD mp INT", "The column was added."},
    {"ALTER TABLE book ADD lv INT", "The column was added."},
    {"ALTER TABLE book ADD ex INT", "too many columns."},
    {"ALTER TABLE book DROP hp", "no support"},
    {"DROP TABLE Book", "Player table not found."},
    {"CREATE TABLE t2 (a INT,b INT,c INT)", "The table was created."},
    {"CREATE TABLE t3 (a INT,b INT,c INT)", "The table was created."},
    {"CREATE TABLE t4 (a INT,b INT,c INT)", "no empty memory."},
    {"DROP TABLE book", "book table was dropped", "NAME table was dropped"},
    {"\\v", "Velmora Keep 03 Ver.10.0"},
    {nullptr, "-Velmora Keep- 03"},
    {"BEGIN", "BEGIN didn't support yet.", Verb},
    {"COMMIT", "COMMIT didn't support yet.", Verb},
    {"ROLLBACK", "ROLLBACK didn't support yet.", Verb},
    {"RENAME", "RENAME didn't support yet.", Verb},
    {"SET", "SET didn't support yet.", Verb},
    {"SP_ADDLOGIN", "SP_ADDLOGIN didn't support yet.", Verb},
    {"SP_DROPLOGIN", "SP_DROPLOGIN didn't support yet.", Verb},
    {"SP_RENAME", "SP_RENAME didn't support yet.", Verb},
    {"TRUNCATE", "TRUNCATE didn't support yet.", Verb},
};

// The winning line, which no statement brings about (see below).
const char* const WinningForm = "Congratulation! Score=N";

TEST(GuideMessages, EveryQuotedAnswerIsWhatTheGameWrites) {
  std::string script = "key Space\n";
  const char* previous = "";
  for (const MessageCase& c : Messages) {
    // A statement that answers nothing leaves the last answer on show, so an
    // answer the same as the last one is set apart by another.
    if (std::string(c.answer) == previous) script += "key Enter\ntype \\v\nsubmit\n";
    previous = c.answer;
    if (c.statement == nullptr) {
      script += "key Right\n";
    } else {
      script += "key Enter\n";
      if (*c.statement != '\0') script += std::string("type ") + c.statement + "\n";
      script += "submit\n";
    }
    script += "state\n";
  }
  HeadlessRun run;
  const std::vector<Shown> states = statesOf(script, &run);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(states.size(), std::size(Messages));

  const std::string guide = readFile(GuidePath);
  const std::string japanese = readFile(JapanesePath);
  for (size_t i = 0; i < states.size(); ++i) {
    const MessageCase& c = Messages[i];
    EXPECT_EQ(states[i].status, c.answer) << (c.statement != nullptr ? c.statement : "(a step)");
    EXPECT_NE(guide.find(std::string("`") + c.answer + "`"), std::string::npos)
        << "the guide does not quote " << c.answer;
    EXPECT_NE(japanese.find(c.answer), std::string::npos)
        << "ReadMe_J.txt does not quote " << c.answer;
  }
}

TEST(GuideMessages, WinningLineIsQuotedAsTheGameWritesIt) {
  startFreshGame();
  Charas[1].moveKind = MoveArrived;
  Charas[2].moveKind = MoveArrived;
  // Chara 2 stands amid goal cells, so its one random step arrives.
  Charas[0].moveKind = MoveRandom;
  mapCell(1, 1, 0) = TileGoal;
  mapCell(1, 0, 1) = TileGoal;
  mapCell(1, 2, 1) = TileGoal;
  mapCell(1, 1, 2) = TileGoal;
  runTurn();
  ASSERT_EQ(GameMode, ModeCleared);

  std::string line = StatusText;
  ASSERT_EQ(line, "Congratulation! Score=5000");
  while (!line.empty() && std::isdigit(static_cast<unsigned char>(line.back()))) line.pop_back();
  line += "N";
  ASSERT_EQ(line, WinningForm);
  EXPECT_NE(readFile(GuidePath).find("`" + line + "`"), std::string::npos) << line;
  EXPECT_NE(readFile(JapanesePath).find(line), std::string::npos) << line;
}

TEST(GuideMessages, MessageTableListsExactlyTheGamesAnswers) {
  std::set<std::string> forms{WinningForm};
  for (const MessageCase& c : Messages) forms.insert(c.form != nullptr ? c.form : c.answer);

  std::set<std::string> listed;
  for (const std::string& line : sectionOf(readFile(GuidePath), "Every message")) {
    if (line.rfind("| `", 0) != 0) continue;
    const std::vector<std::string> spans = codeSpans(cellsOf(line).at(0));
    ASSERT_EQ(spans.size(), 1u) << line;
    listed.insert(spans[0]);
  }
  EXPECT_EQ(listed, forms);

  // The Japanese guide lists the same forms.
  const std::string japanese = readFile(JapanesePath);
  for (const std::string& form : forms) {
    EXPECT_NE(japanese.find(form), std::string::npos) << "ReadMe_J.txt lacks " << form;
  }
}

// --- Tab completion ---------------------------------------------------------------

// Runs "type LINE, Tab" for every case in one game and checks the line that
// results. Cases are {typed, expected}.
void expectCompletions(const std::vector<std::pair<std::string, std::string>>& cases) {
  std::string script = "key Space\n";
  for (const auto& [typed, expected] : cases) {
    script += "key Enter\ntype " + typed + "\nkey Tab\nstate\nsubmit\n";
  }
  HeadlessRun run;
  const std::vector<Shown> states = statesOf(script, &run);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(states.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(states[i].command, cases[i].second) << "Tab after '" << cases[i].first << "'";
  }
}

TEST(GuideCompletion, TablesAreWhatTabDoes) {
  std::vector<std::pair<std::string, std::string>> cases;
  for (const std::string& line : sectionOf(readFile(GuidePath), "Tab completion")) {
    if (line.rfind("| `", 0) != 0) continue;
    const std::vector<std::string> cells = cellsOf(line);
    if (cells.size() == 2) {
      // One-character line: `C` | `CREATE `.
      const std::vector<std::string> typed = codeSpans(cells[0]);
      const std::vector<std::string> given = codeSpans(cells[1]);
      ASSERT_EQ(typed.size(), 1u) << line;
      ASSERT_EQ(given.size(), 1u) << line;
      cases.push_back({typed[0], given[0]});
      continue;
    }
    ASSERT_EQ(cells.size(), 3u) << line;
    // Longer line: last character | first characters or "any" | addition.
    const std::vector<std::string> last = codeSpans(cells[0]);
    std::vector<std::string> firsts = codeSpans(cells[1]);
    const std::vector<std::string> added = codeSpans(cells[2]);
    if (last.size() != 1 || added.size() != 1) continue;  // rows told in words
    if (cells[1].find("any") != std::string::npos) firsts = {"x"};
    for (const std::string& first : firsts) {
      cases.push_back({first + last[0], first + last[0] + added[0]});
    }
  }
  EXPECT_GE(cases.size(), 40u);
  expectCompletions(cases);
}

// --- reserved words ---------------------------------------------------------------

// The words of the comma-separated list lines that follow the line
// `marker` to the end of `text`; prose lines are passed over.
std::set<std::string> listedWordsAfter(const std::string& text, const std::string& marker) {
  const std::regex wordList("[A-Za-z0-9_]+(, [A-Za-z0-9_]+)*[,.]?");
  std::set<std::string> listed;
  bool after = false;
  for (const std::string& line : linesOf(text)) {
    after = after || line == marker;
    if (!after || !std::regex_match(line, wordList)) continue;
    std::string word;
    for (char c : line + ",") {
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
        word += c;
      } else if (!word.empty()) {
        listed.insert(word);
        word.clear();
      }
    }
  }
  return listed;
}

TEST(GuideReservedWords, AppendicesAreTheGamesList) {
  const std::set<std::string> reserved(std::begin(ReservedWords), std::end(ReservedWords));
  EXPECT_EQ(listedWordsAfter(readFile(GuidePath), "## Appendix: the reserved words"), reserved);
  EXPECT_EQ(listedWordsAfter(readFile(JapanesePath), "14. 付録：予約語"), reserved);
  for (const char* name : {"book", "spells", "chara", "player", "TABLE"}) {
    EXPECT_FALSE(isReservedWord(name)) << name << " is offered as a good table name";
  }
}

}  // namespace
