// The won game of tests/scripts/winning_game.txt, played by the real program
// from the title: every chara on its goal, the score the script's turns leave,
// and a game that no longer listens.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/headless_run.h"

namespace {

constexpr int ExpectedScore = 4902;
constexpr const char* ScriptPath = "tests/scripts/winning_game.txt";

struct Goal {
  int x, y, world;
};
constexpr Goal Goals[3] = {{29, 29, 1}, {29, 29, 2}, {12, 16, 3}};  // charas 2, 3, 4

// Counts the turns a script takes: every arrow key and Enter on a `key` line,
// after the first key that leaves the title. Typing moves the grid cursor
// and submitting runs no turn.
int turnsOf(const std::string& script) {
  std::istringstream lines(script);
  int turns = 0;
  bool started = false;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word != "key") continue;
    while (words >> word) {
      if (!started) {
        started = true;
        continue;
      }
      if (word == "Up" || word == "Down" || word == "Left" || word == "Right" || word == "Enter")
        ++turns;
    }
  }
  return turns;
}

TEST(WinningGame, EndsWonWithEveryCharaOnItsGoal) {
  const std::string script = sourceFile(ScriptPath);
  ASSERT_FALSE(script.empty()) << ScriptPath;
  const HeadlessRun run =
      runHeadless(script + "state\nkey Up Down Left Right Enter Space Tab 65\nstate\n");
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(run.states.size(), 2u) << run.out;
  const nlohmann::json& won = run.states[0];

  EXPECT_EQ(won["mode"], 254);
  EXPECT_EQ(won["status"], "Congratulation! Score=" + std::to_string(ExpectedScore));
  // The score is the budget less every turn before the winning one.
  EXPECT_EQ(ExpectedScore, 5000 - (turnsOf(script) - 1));
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE("chara " + std::to_string(i + 2));
    EXPECT_EQ(won["charas"][i]["move"], 255);
    EXPECT_EQ(won["charas"][i]["pos"],
              nlohmann::json::array({Goals[i].x, Goals[i].y, 1, Goals[i].world}));
  }
  // The winning turn puts the leader on chara 2's cell.
  EXPECT_EQ(won["leader"], won["charas"][0]["pos"]);
  EXPECT_EQ(run.states[1], won) << "keys after the win changed the game";
}

TEST(WinningGame, ScriptSaysHowItWasMadeAndOpensAWallInWorldOne) {
  const std::string script = sourceFile(ScriptPath);
  EXPECT_NE(script.find("# Expected final score: " + std::to_string(ExpectedScore)),
            std::string::npos);
  EXPECT_NE(script.find("BUILD/plan_winning_game > " + std::string(ScriptPath)), std::string::npos);
  EXPECT_NE(script.find("\ntype UPDATE world SET fieldid = 10 WHERE worldid = 1 AND "),
            std::string::npos);
}

TEST(WinningGame, WorldOneGoalIsWalledOffOnTheUntouchedMap) {
  // Why the script must open walls: no floor path leads from chara 2's
  // start at (1, 1) to the goal of world 1.
  const HeadlessRun run = runHeadless("map 1 1\n");
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream rows(run.out);
  std::string map[32];
  for (std::string& row : map) ASSERT_TRUE(std::getline(rows, row));
  bool reached[32][32] = {};
  int stack[32 * 32][2], top = 0;
  stack[top][0] = 1, stack[top++][1] = 1;
  reached[1][1] = true;
  while (top > 0) {
    --top;
    const int x = stack[top][0], y = stack[top][1];
    constexpr int Dx[4] = {0, 0, -1, 1}, Dy[4] = {-1, 1, 0, 0};
    for (int k = 0; k < 4; ++k) {
      const int nx = x + Dx[k], ny = y + Dy[k];
      if (nx < 0 || ny < 0 || nx > 31 || ny > 31 || reached[ny][nx]) continue;
      const char cell = map[ny][size_t(nx)];
      if (cell != 'A' && cell != 'B') continue;  // floor and goal
      reached[ny][nx] = true;
      stack[top][0] = nx, stack[top++][1] = ny;
    }
  }
  int count = 0;
  for (const auto& row : reached)
    for (bool cell : row) count += cell;
  EXPECT_GT(count, 100) << "the walk from (1, 1) should cover a good part of the maze";
  EXPECT_EQ(map[29][29], 'B');
  EXPECT_FALSE(reached[29][29]);
}

}  // namespace
