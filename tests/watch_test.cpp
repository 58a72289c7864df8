// Watching a game (velmora --watch, the page's replay): however the player
// steers the watch, the game ends where the headless replay of the same
// script ends, with the same summary; the steering keys never reach the
// game, and after Enter the player's keys follow the watched ones.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "headless/script_keys.h"
#include "headless/state_json.h"
#include "platform/key_codes.h"
#include "tests/support/form_fixture.h"
#include "tests/support/headless_run.h"
#include "ui/keyboard.h"
#include "ui/replay_summary.h"
#include "ui/replay_watch.h"
#include "ui/session.h"

namespace {

using namespace platform;

std::vector<uint16_t> pressed;  // every key the watch handed to the game

void notePressed(uint16_t key) { pressed.push_back(key); }

struct End {
  std::string state;
  std::string summary;
};

// The headless replay of `script` from a fresh title.
End replayed(const std::string& script) {
  showFreshTitle();
  std::istringstream in(script);
  testing::internal::CaptureStdout();
  const int status = headless::runScript(in);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(status, 0);
  return {gameStateJson(), summaryLine(replayTally())};
}

// The keys of `script`, then a fresh title with the watch started on them.
std::vector<uint8_t> startWatching(const std::string& script) {
  showFreshTitle();
  std::vector<uint8_t> keys;
  EXPECT_EQ(headless::collectScriptKeys(script, &keys), 0);
  showFreshTitle();
  pressed.clear();
  Session.hooks.keyPlayed = notePressed;
  startWatch(keys);
  return keys;
}

class Watch : public testing::Test {
 protected:
  void TearDown() override {
    stopWatch();
    Session.hooks.keyPlayed = nullptr;
  }
};

// How the player steers a watch to its end.
enum class Steer { Ticks, EndHalfway, PausedSteps };

void watchToTheEnd(Steer steer, size_t keys) {
  switch (steer) {
    case Steer::Ticks:
      while (watchState() == WatchState::WatchPlaying) watchStep();
      break;
    case Steer::EndHalfway:
      for (size_t i = 0; i < keys / 2; ++i) watchStep();
      EXPECT_TRUE(steerWatch(KeyEnd));
      break;
    case Steer::PausedSteps:
      EXPECT_TRUE(steerWatch(KeySpace));
      for (size_t i = 0; i < keys; ++i) {
        EXPECT_EQ(watchTick(), -1) << "a paused watch plays on its own";
        EXPECT_TRUE(steerWatch(KeyRight));
      }
      break;
  }
}

TEST_F(Watch, EndsWhereTheHeadlessReplayEnds) {
  const std::string recording =
      "# velmora key recording: replay with velmora --headless FILE\n"
      "key 32\nkey 39\nkey 40\nkey 13\nkey 9\nkey 32\nkey 38\n";
  const struct {
    const char* name;
    std::string script;
  } games[] = {
      {"winning game", sourceFile("tests/scripts/winning_game.txt")},
      {"spell", sourceFile("tests/scripts/spell.txt")},
      {"recording", recording},
  };
  for (const auto& game : games) {
    const End expected = replayed(game.script);
    for (Steer steer : {Steer::Ticks, Steer::EndHalfway, Steer::PausedSteps}) {
      SCOPED_TRACE(std::string(game.name) + ", steered " + std::to_string(int(steer)));
      const std::vector<uint8_t> keys = startWatching(game.script);
      ASSERT_FALSE(keys.empty());
      watchToTheEnd(steer, keys.size());
      EXPECT_EQ(watchState(), WatchState::WatchFinished);
      EXPECT_EQ(watchedKeys(), keys.size());
      EXPECT_EQ(pressed, std::vector<uint16_t>(keys.begin(), keys.end()));
      EXPECT_EQ(gameStateJson(), expected.state);
      EXPECT_EQ(watchSummary(), expected.summary);
    }
  }
  EXPECT_EQ(replayed(games[0].script).summary.rfind("won score=", 0), 0u);
}

TEST_F(Watch, SteeringKeysNeverReachTheGameAndEnterHandsItOver) {
  const std::vector<uint8_t> keys = startWatching("key Space Right Down Enter Tab Space Up\n");
  EXPECT_EQ(watchTick(), 1000) << "the title is held before the first key";
  for (uint16_t key :
       std::vector<uint16_t>{KeyUp, KeyDown, KeyDown, KeyRight, KeyLeft, KeyTab, 65}) {
    EXPECT_TRUE(steerWatch(key)) << key;
  }
  EXPECT_TRUE(pressed.empty());
  watchStep();
  watchStep();
  EXPECT_EQ(GameMode, ModeField);
  EXPECT_TRUE(steerWatch(KeyEnter));
  EXPECT_EQ(watchState(), WatchState::WatchTakenOver);
  EXPECT_EQ(GameMode, ModeField) << "the Enter that takes over is not the game's";
  EXPECT_EQ(watchTick(), -1);
  EXPECT_FALSE(steerWatch(KeyEnter));
  EXPECT_EQ(pressed, (std::vector<uint16_t>{KeySpace, KeyRight}));
  stopWatch();
  EXPECT_FALSE(steerWatch(KeySpace));
}

TEST_F(Watch, PaceHoldsAnAnswerLongerThanAStepAndFollowsUpAndDown) {
  startWatching("key Space Right Enter\ntype SELECT * FROM party\nsubmit\nkey Left\n");
  const int title = watchStep();  // Space leaves the title
  const int step = watchStep();   // Right: a turn
  EXPECT_GT(title, step);
  steerWatch(KeyUp);
  const int fasterEnter = watchStep();  // Enter: a turn too
  EXPECT_EQ(fasterEnter * 2, step);
  steerWatch(KeyDown);
  steerWatch(KeyDown);
  int longest = 0;
  int shortest = 1 << 20;
  while (watchState() == WatchState::WatchPlaying) {
    const int hold = watchStep();
    if (hold > longest) longest = hold;
    if (hold >= 0 && hold < shortest) shortest = hold;
  }
  EXPECT_GE(longest, 2 * 2000) << "the answer, at half the pace, is held at least 4 s";
  EXPECT_LT(shortest, step * 2) << "cursor moves on the grid are quicker than a step";
  for (int i = 0; i < 10; ++i) steerWatch(KeyDown);
  EXPECT_EQ(watchStep(), -1) << "nothing is left to press";
}

}  // namespace
