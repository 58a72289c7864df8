// Command entry allocates nothing: hundreds of key presses on the grid
// (moves, picks, Tab, erase, submissions of whatever was composed, and Enter
// to come back) with the allocation counter running.
#include <gtest/gtest.h>

#include <cstdint>

#include "game/game_state.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/command_entry_support.h"
#include "ui/command_entry.h"
#include "ui/keyboard.h"

namespace {

constexpr uint16_t GridKeys[] = {KeyUp, KeyDown, KeyLeft, KeyRight, KeySpace, KeyTab};

// Moves the cursor to a cell with arrow presses, the way a player would.
void walkTo(int col, int row) {
  const GridWalk walk = gridWalk(CursorCol, CursorRow, col, row);
  for (int n = walk.across.steps; n > 0; --n) FormKeyDown(walk.across.key);
  for (int n = walk.down.steps; n > 0; --n) FormKeyDown(walk.down.key);
}

TEST(NoAllocCommandEntry, KeyPressesOnTheGridAllocateNothing) {
  openFreshCommandEntry();
  int presses = 0;
  int submissions = 0;
  uint32_t seed = 12345;
  AllocationCounter counter;
  for (int round = 0; round < 40; ++round) {
    // A burst of arbitrary grid keys; a submission returns to the field,
    // where Enter opens the grid again.
    for (int i = 0; i < 12; ++i) {
      seed = seed * 1103515245u + 12345u;
      const uint16_t key = GridKeys[(seed >> 16) % 6];
      FormKeyDown(GameMode == ModeCommand ? key : uint16_t(KeyEnter));
      ++presses;
    }
    if (GameMode != ModeCommand) FormKeyDown(KeyEnter);
    walkTo(5, 1);  // S, completed to SELECT
    FormKeyDown(KeySpace);
    FormKeyDown(KeyTab);
    walkTo(10, 6);  // erase twice, then once more than there is
    FormKeyDown(KeySpace);
    FormKeyDown(KeySpace);
    walkTo(12, 6);
    FormKeyDown(KeySpace);
    ++submissions;
    FormKeyDown(KeyEnter);
    presses += 6;
  }
  const long allocations = counter.count();
  EXPECT_EQ(allocations, 0) << "over " << presses << " key presses and " << submissions
                            << " submissions";
  EXPECT_GE(presses, 400);
  EXPECT_EQ(GameMode, ModeCommand);
}

}  // namespace
