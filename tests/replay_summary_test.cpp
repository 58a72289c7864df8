// The summary of a replayed game: turns and submissions counted from the key
// presses a script makes, by the mode and cursor each press meets, the score
// a winning turn announces, and the one line `velmora --headless --summary`
// prints after a script that ran to its end.
#include "headless/replay_summary.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "tests/support/game_fixture.h"
#include "tests/support/headless_run.h"

namespace {

// Runs a script on the game in this process; its output is dropped.
int runQuietly(const std::string& script) {
  std::istringstream in(script);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int status = headless::runScript(in);
  testing::internal::GetCapturedStdout();
  testing::internal::GetCapturedStderr();
  return status;
}

std::string tallyOf(const std::string& script) {
  showFreshTitle();
  EXPECT_EQ(runQuietly(script), 0) << script;
  return headless::summaryLine(headless::replayTally());
}

// From a fresh title screen. The grid cursor starts on A (0, 0); Up then
// Left reaches the submit cell (12, 6) round the edges, one more Left the
// blank and one more the erase cell.
TEST(ReplayTallyTest, CountsTurnsAndSubmissionsByWhatEachKeyMet) {
  struct Case {
    const char* script;
    const char* summary;
  };
  const Case cases[] = {
      {"", "not won turns=0 statements=0"},
      {"key Space\n", "not won turns=0 statements=0"},  // leaves the title: no turn
      {"key Space\nkey Up Down Left Right\n", "not won turns=4 statements=0"},
      {"key Space\nkey 65 Tab Space 200\n", "not won turns=0 statements=0"},
      {"key Space\nkey Enter\n", "not won turns=1 statements=0"},
      // In command entry neither arrows nor Enter are turns; Space on A picks.
      {"key Space\nkey Enter\nkey Enter Up Down Tab Space\n", "not won turns=1 statements=0"},
      {"key Space\nkey Enter\nkey Up Left Space\n", "not won turns=1 statements=1"},
      {"key Space\nkey Enter\nkey Up Left Left Space\n", "not won turns=1 statements=0"},
      {"key Space\nkey Enter\nkey Up Left Left Left Space\n", "not won turns=1 statements=0"},
      {"key Space\nkey Enter\ntype SELECT\nsubmit\nkey Up\n", "not won turns=2 statements=1"},
      // An empty statement is submitted all the same.
      {"key Space\nkey Enter\nsubmit\nkey Enter\nsubmit\nkey Left\n",
       "not won turns=3 statements=2"},
  };
  for (const Case& c : cases) EXPECT_EQ(tallyOf(c.script), c.summary) << c.script;
}

TEST(ReplayTallyTest, EachScriptStartsAFreshTally) {
  showFreshTitle();
  ASSERT_EQ(runQuietly("key Space\nkey Up Up Up\n"), 0);
  ASSERT_EQ(headless::replayTally().turns, 3);
  ASSERT_EQ(runQuietly("key Down\n"), 0);
  EXPECT_EQ(headless::summaryLine(headless::replayTally()), "not won turns=1 statements=0");
}

// A game is won on the turn that finds every chara arrived; that turn
// announces the score before taking its own turn off, and keys after it run
// no turns.
TEST(ReplayTallyTest, WinningTurnGivesTheAnnouncedScore) {
  for (const char* winningKey : {"Up", "Enter"}) {
    SCOPED_TRACE(winningKey);
    startFieldGame();
    for (CharaRec& chara : Charas) chara.moveKind = MoveArrived;
    Score = 1234;
    ASSERT_EQ(runQuietly(std::string("key ") + winningKey + " Left Enter Space\n"), 0);
    ASSERT_EQ(GameMode, ModeCleared);
    // A step puts the title text back once the field is drawn; command entry
    // keeps the message on show.
    if (std::string(winningKey) == "Enter") {
      EXPECT_STREQ(StatusText, "Congratulation! Score=1234");
    }
    EXPECT_EQ(Score, 1233);
    EXPECT_EQ(headless::summaryLine(headless::replayTally()),
              "won score=1234 turns=1 statements=0");
  }
}

TEST(ReplayTallyTest, SummaryLineFormat) {
  headless::ReplayTally tally;
  EXPECT_EQ(headless::summaryLine(tally), "not won turns=0 statements=0");
  tally = headless::ReplayTally{679, 212, true, 4321};
  EXPECT_EQ(headless::summaryLine(tally), "won score=4321 turns=679 statements=212");
  tally.score = 0;
  EXPECT_EQ(headless::summaryLine(tally), "won score=0 turns=679 statements=212");
}

// Runs `velmora ARGS` with `script` in the file {script} names and on
// standard input.
HeadlessRun runWithScript(const std::string& args, const std::string& script) {
  return runVelmora(args, script, RunSettings{"", true});
}

std::string lastLine(const std::string& text) {
  const size_t end = text.size() && text.back() == '\n' ? text.size() - 1 : text.size();
  const size_t start = text.rfind('\n', end == 0 ? 0 : end - 1);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - (start + 1));
}

TEST(SummaryOptionTest, PrintsOneLineAfterTheScriptsOwnOutput) {
  const std::string script =
      "# a short game\nkey Space\nkey Right Down\nkey Enter\ntype SELECT * FROM world\n"
      "submit\nkey Up\nstate\n";
  for (const char* args :
       {"--headless --summary {script}", "--summary --headless={script}", "--headless --summary"}) {
    SCOPED_TRACE(args);
    HeadlessRun run = runWithScript(args, script);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(run.out.back(), '\n');
    EXPECT_EQ(lastLine(run.out), "not won turns=4 statements=1") << run.out;
    EXPECT_EQ(run.out.find("{\""), 0u) << "the state line comes first: " << run.out;
  }
  // Without --summary the script's output is all there is.
  HeadlessRun plain = runWithScript("--headless {script}", script);
  EXPECT_EQ(plain.out.find("turns="), std::string::npos) << plain.out;
}

TEST(SummaryOptionTest, NoSummaryForAScriptThatStoppedOnABadLine) {
  HeadlessRun run = runWithScript("--headless --summary {script}", "key Space\nkey Up\njump\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("script:3: ", 0), 0u) << run.err;
}

// The committed winning game (made by tools/plan_winning_game.cpp, whose
// header says what the planner expects of it): it must still win, its
// summary must agree with that header, and with the game's own end state.
TEST(SummaryOptionTest, CommittedWinningGameStillWins) {
  const std::string path = std::string(VELMORA_SOURCE_DIR) + "/tests/scripts/winning_game.txt";
  const std::string game = readFile(path);
  ASSERT_FALSE(game.empty()) << path;
  int plannedTurns = -1, plannedStatements = -1, plannedScore = -1;
  std::istringstream header(game);
  for (std::string line; std::getline(header, line) && line.rfind("#", 0) == 0;) {
    std::sscanf(line.c_str(), "# %d turns, %d statements", &plannedTurns, &plannedStatements);
    std::sscanf(line.c_str(), "# Expected final score: %d", &plannedScore);
  }
  ASSERT_GT(plannedScore, 0) << "the replay's header names the turns, statements and score";

  HeadlessRun run = runWithScript("--headless --summary {script}", game + "\nstate\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string summary = lastLine(run.out);
  EXPECT_EQ(summary, "won score=" + std::to_string(plannedScore) +
                         " turns=" + std::to_string(plannedTurns) +
                         " statements=" + std::to_string(plannedStatements));

  // The state printed after the replay, just before the summary.
  const std::string beforeSummary = run.out.substr(0, run.out.size() - summary.size() - 1);
  const nlohmann::json state = nlohmann::json::parse(lastLine(beforeSummary));
  EXPECT_EQ(state["mode"], 254) << "the game is won";
  // Every turn takes one off the 5000 the game starts with, the winning one
  // just after announcing the score.
  EXPECT_EQ(state["score"], plannedScore - 1);
  EXPECT_EQ(plannedScore, 5000 - (plannedTurns - 1));
}

}  // namespace
