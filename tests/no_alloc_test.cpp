// Playing allocates nothing: once the form is created, the key that leaves
// the title, key presses in the field (steps, turns, full redraws, frame
// copies), in command entry and after the win go by without a single call of
// operator new. The test
// binary's operator new counts every allocation (support/alloc_counter.cpp).
#include <gtest/gtest.h>

#include <initializer_list>

#include "game/game_state.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/game_fixture.h"
#include "ui/keyboard.h"

namespace {

class NoAllocTest : public GameFixture {};

TEST(NoAllocTitle, TheKeyThatStartsTheGameAllocatesNothing) {
  // Any key starts the game: the new game's records, the first field and
  // its frame.
  for (uint16_t key :
       std::initializer_list<uint16_t>{1, KeyEnter, KeySpace, KeyTab, KeyUp, 200, 255}) {
    showFreshTitle();
    AllocationCounter counter;
    FormKeyDown(key);
    EXPECT_EQ(GameMode, ModeField) << "key " << key;
    EXPECT_EQ(counter.count(), 0) << "key " << key;
  }
}

TEST_F(NoAllocTest, WalkingTheFieldAllocatesNothing) {
  const uint16_t walk[] = {KeyRight, KeyDown, KeyLeft, KeyUp, KeyRight, KeyRight, KeyDown};
  AllocationCounter counter;
  for (int i = 0; i < 300; ++i) FormKeyDown(walk[i % 7]);
  EXPECT_EQ(counter.count(), 0);
  EXPECT_EQ(Score, 5000 - 300) << "every press was a turn";
}

TEST_F(NoAllocTest, IdleKeysAndOtherWorldsAllocateNothing) {
  AllocationCounter counter;
  for (int i = 0; i < 50; ++i) {
    FormKeyDown(KeyTab);
    FormKeyDown(KeySpace);
  }
  // The tile-less worlds and a world with no map at all.
  for (uint8_t world : {2, 3, 4, 5, 9}) {
    LeaderPos.world = world;
    FormKeyDown(KeyDown);
  }
  EXPECT_EQ(counter.count(), 0);
}

TEST_F(NoAllocTest, CommandEntryAndTheWinAllocateNothing) {
  AllocationCounter counter;
  FormKeyDown(KeyEnter);
  for (uint16_t key : std::initializer_list<uint16_t>{KeyRight, KeySpace, KeyDown, KeySpace, KeyTab,
                                                      KeyLeft, KeyUp, KeyTab}) {
    FormKeyDown(key);
  }
  EXPECT_EQ(GameMode, ModeCommand);
  EXPECT_EQ(counter.count(), 0);

  for (CharaRec& c : Charas) c.moveKind = MoveArrived;
  AllocationCounter afterWin;
  GameMode = ModeField;
  FormKeyDown(KeyRight);
  ASSERT_EQ(GameMode, ModeCleared);
  for (int i = 0; i < 20; ++i) FormKeyDown(KeyUp);
  EXPECT_EQ(afterWin.count(), 0);
}

}  // namespace
