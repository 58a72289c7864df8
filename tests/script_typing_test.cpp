// Composing statements in headless scripts with `type` and `submit`: in the
// game itself (cursor paths and refusals) and through the real program, whose
// `state` output shows what the typed statements did.
#include "headless/script_typing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "tests/support/command_entry_support.h"
#include "tests/support/headless_run.h"
#include "ui/command_entry.h"

namespace {

// Runs the velmora program on `script`; every line it prints must be a state.
HeadlessRun runScript(const std::string& script) {
  HeadlessRun run = runHeadless(script);
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), long(run.states.size())) << run.out;
  return run;
}

constexpr const char* IntoCommandEntry = "key Space\nkey Enter\n";
// CREATE TABLE t (a INT,b INT,c VARCHAR(8)), Tab completing each keyword.
constexpr const char* CreateByCompletion =
    "type C\nkey Tab\ntype T\nkey Tab\ntype t (a I\nkey Tab\ntype ,b I\nkey Tab\n"
    "type ,c V\nkey Tab\ntype 8))\nsubmit\n";

TEST(ScriptTypingProgram, TypedStatementsRunAsIfPicked) {
  struct Case {
    std::string lines;  // after opening command entry
    std::string field;  // the state's field to check
    nlohmann::json value;
  };
  const Case cases[] = {
      {"type \\v\nsubmit\n", "status", "Velmora Keep 03 Ver.10.0"},
      {"type \\v\nsubmit\n", "last", "\\v"},
      {"type \\v\nsubmit\n", "mode", 0},
      {"type S\nkey Tab\n", "command", "SELECT "},
      {"type S\nkey Tab\n", "mode", 1},
      {"type  a b \n", "command", " a b "},
      {"type select x\ntype  \n", "command", "select x "},
      {"type BEGIN TRANSACTION\nsubmit\n", "status", "BEGIN didn't support yet."},
      {"type SELECTX\nsubmit\n", "status", "Command error."},
      {CreateByCompletion, "status", "The table was created."},
      {CreateByCompletion, "last", "CREATE TABLE t (a INT,b INT,c VARCHAR(8))"},
      {"type #;^&|~\"\\+-*/='<>!.%_(),0123456789\n", "command",
       "#;^&|~\"\\+-*/='<>!.%_(),0123456789"},
      {"type abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ\n", "commandLength", 52},
  };
  for (const Case& c : cases) {
    HeadlessRun run = runScript(std::string(IntoCommandEntry) + c.lines + "state\n");
    ASSERT_EQ(run.status, 0) << c.lines << run.err;
    ASSERT_EQ(run.states.size(), 1u) << c.lines;
    EXPECT_EQ(run.states[0][c.field], c.value) << c.lines;
  }
}

TEST(ScriptTypingProgram, TheCreatedTableIsInTheState) {
  HeadlessRun run =
      runScript(std::string(IntoCommandEntry) +
                "type CREATE TABLE spells (word VARCHAR(8), n INT, m INT)\nsubmit\nstate\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.states.at(0)["tables"][0]["name"], "spells");
  EXPECT_EQ(run.states.at(0)["tables"][0]["columns"][0]["name"], "word");
}

TEST(ScriptTypingProgram, BadLinesEndTheScriptWithStatusTwo) {
  struct Case {
    std::string script;
    std::string message;
  };
  const Case cases[] = {
      {"type S\n", "script:1: type works only in command entry"},
      {"key Space\ntype S\n", "script:2: type works only in command entry"},
      {"submit\n", "script:1: submit works only in command entry"},
      {"key Space\nkey Enter\ntype a@b\n",
       "script:3: character '@' at column 2 is not on the character grid"},
      {"key Space\nkey Enter\ntype \t\n",
       "script:3: character 0x09 at column 1 is not on the character grid"},
      {"key Space\nkey Enter\nsubmit now\n", "script:3: submit takes no arguments"},
  };
  for (const Case& c : cases) {
    HeadlessRun run = runScript(c.script);
    EXPECT_EQ(run.status, 2) << c.script;
    EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << c.script << " gave: " << run.err;
  }
}

// In the game itself: the cursor takes the shortest way, wrapping as the
// arrow keys do, and a refused line presses no key at all.
class ScriptTypingTest : public ::testing::Test {
 protected:
  void SetUp() override { openFreshCommandEntry(); }

  int run(const std::string& script) {
    std::istringstream in(script);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = headless::runScript(in);
    ::testing::internal::GetCapturedStdout();
    err_ = ::testing::internal::GetCapturedStderr();
    return status;
  }
  std::string err_;
};

TEST_F(ScriptTypingTest, CursorTakesTheShortestWayRoundTheEdges) {
  struct Step {
    int fromCol, fromRow;
    std::string line;
    int col, row;          // where the cursor ends
    int prevCol, prevRow;  // the cell of the last arrow press before it
  };
  const Step steps[] = {
      {0, 0, "type M", 12, 0, 0, 0},   // one step left round the edge
      {0, 0, "type #", 0, 6, 0, 0},    // one step up round the edge
      {0, 0, "type z", 12, 3, 12, 2},  // left 1, down 3
      {12, 6, "type A", 0, 0, 0, 6},   // right 1, down 1
      {7, 6, "type  ", 8, 6, 7, 6},    // the nearest of the four blanks
      {0, 4, "type  ", 0, 5, 0, 4},   {11, 5, "type  ", 11, 6, 11, 5},
      {3, 3, "type SE", 4, 0, 4, 1},  {0, 0, "submit", 12, 6, 12, 0},  // left 1, up 1
  };
  for (const Step& s : steps) {
    CursorCol = uint8_t(s.fromCol);
    CursorRow = uint8_t(s.fromRow);
    ASSERT_EQ(run(s.line + "\n"), 0) << s.line << err_;
    EXPECT_EQ(CursorCol, s.col) << s.line;
    EXPECT_EQ(CursorRow, s.row) << s.line;
    EXPECT_EQ(PrevCursorCol, s.prevCol) << s.line;
    EXPECT_EQ(PrevCursorRow, s.prevRow) << s.line;
    if (GameMode != ModeCommand) openCommandEntry();
  }
}

TEST_F(ScriptTypingTest, ARefusedLinePressesNothing) {
  setCommandLine("SEL");
  CursorCol = 3;
  CursorRow = 2;
  EXPECT_EQ(run("type ECT ?\n"), 2);
  EXPECT_NE(err_.find("'?'"), std::string::npos) << err_;
  EXPECT_STREQ(CommandLine, "SEL");
  EXPECT_EQ(CursorCol, 3);
  EXPECT_EQ(CursorRow, 2);
}

}  // namespace
