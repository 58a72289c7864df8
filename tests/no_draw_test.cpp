// Games played without drawing end as drawn ones do: the committed games and
// the soak's random games, replayed by the program with and without a
// screenshot asked for, print the same states every few keys and the same
// maps; and a resumed game, replayed undrawn, shows the frame and the records
// the drawn game left, without allocating.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "ui/game_resume.h"
#include "ui/main_window.h"
#include "headless/state_json.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/game_fixture.h"
#include "tests/support/headless_run.h"
#include "tests/support/random_player.h"

namespace {

// The script without its screenshots, a `state` after every fifth line, and
// the floor of every world at the end.
std::string withStates(const std::string& script) {
  std::istringstream in(script);
  std::string out;
  int lines = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("screenshot", 0) == 0) continue;
    out += line + (++lines % 5 == 0 ? "\nstate\n" : "\n");
  }
  for (int world = 1; world <= 5; ++world) out += "map " + std::to_string(world) + " 1\n";
  return out;
}

std::vector<uint16_t> randomGame(uint64_t seed, int keyBudget) {
  PlayReach reach;
  std::vector<uint16_t> keys;
  std::vector<uint64_t> prints;
  RandomPlayer player(seed, keyBudget, &reach);
  EXPECT_TRUE(player.play(&keys, &prints)) << player.failure();
  return keys;
}

TEST(NoDraw, GamesReplayedUndrawnPrintWhatDrawnOnesPrint) {
  std::vector<std::string> scripts;
  for (const char* name : {"every_mode", "spell", "winning_game"}) {
    scripts.push_back(withStates(sourceFile(std::string("tests/scripts/") + name + ".txt")));
  }
  for (uint64_t seed = 1; seed <= 4; ++seed) {
    std::string script;
    for (uint16_t key : randomGame(seed, 1500)) script += "key " + std::to_string(key) + "\n";
    scripts.push_back(withStates(script));
  }
  for (const std::string& script : scripts) {
    const HeadlessRun undrawn = runHeadless(script);
    const HeadlessRun drawn = runHeadless(script + "screenshot /dev/null\n");
    ASSERT_EQ(undrawn.status, 0) << undrawn.err;
    EXPECT_GE(undrawn.states.size(), 10u);
    EXPECT_EQ(undrawn.out, drawn.out) << script.substr(0, 400);
  }
}

TEST(NoDraw, AResumedGameShowsTheDrawnGamesFrameAndRecords) {
  // From a single title key to long games, so that they end in every mode.
  const int budgets[] = {1, 2, 9, 40, 130, 400, 900, 1600};
  for (uint64_t seed = 0; seed < 16; ++seed) {
    const std::vector<uint16_t> keys = randomGame(seed + 21, budgets[seed % 8]);
    const std::string records = gameStateJson();
    const std::vector<uint32_t> seen = blockOf(Form1.Image1, 0, 0, ViewWidth, ViewHeight);
    showFreshTitle();
    AllocationCounter allocations;
    playRecordedKeys(keys);
    EXPECT_EQ(allocations.count(), 0) << "seed " << seed;
    EXPECT_EQ(gameStateJson(), records) << "seed " << seed;
    // What the player sees; the columns beyond it keep older frames' leftovers.
    EXPECT_EQ(blockOf(Form1.Image1, 0, 0, ViewWidth, ViewHeight), seen) << "seed " << seed;
  }
}

}  // namespace
