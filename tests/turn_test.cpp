// Tests of the turn: seeding, the charas' moves within it, arrival, the win
// and the score budget, the drift of authority, and a whole game replaying.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "game/game_state.h"
#include "game/movement.h"
#include "game/new_game.h"
#include "tests/support/statement_fixture.h"
#include "tests/support/walled_maps.h"

namespace {

using TurnTest = WalledMapsTest;

// A new game on the built-in maps, in the field.
class FreshTurnTest : public FreshGameTest {
 protected:
  void SetUp() override {
    startFreshGame();
    GameMode = ModeField;
  }
};

TEST_F(FreshTurnTest, FirstTurnMovesCharaTwoRight) {
  runTurn();
  EXPECT_POS(at(2, 1, 1), Charas[0].pos) << "seed 1 draws 130 first: r = 2";
  const uint32_t trail[8] = {0, 0, 0, 0, 0, 0, 0, 1058};
  EXPECT_EQ(0, std::memcmp(trail, Charas[0].trail, sizeof trail));
  EXPECT_EQ(4u, SeedCounter);
  EXPECT_EQ(4999, Score);
  EXPECT_EQ(ModeField, GameMode);
  const int16_t recovered[3] = {60, 1, 3};
  for (int w = 0; w < 3; ++w) {
    for (int c = 0; c < AuthorityCharaCount; ++c) {
      EXPECT_EQ(recovered[w], Authority[w].reliability[c]) << "plane " << w + 1;
      for (int k = 0; k < PrivilegeFlagCount; ++k) EXPECT_EQ(1, Authority[w].privileges[c][k]);
    }
  }
}

TEST_F(FreshTurnTest, WholeGameReplaysTheSame) {
  struct Snapshot {
    CharaRec charas[3];
    AuthorityPlane authority[WorldCount];
    uint32_t seedCounter;
    int32_t score;
  };
  auto play = [this] {
    SetUp();
    Authority[0].reliability[1] = -3000;  // keeps the drift drawing
    Authority[2].reliability[4] = -3000;
    for (int turn = 0; turn < 400 && GameMode != ModeCleared; ++turn) runTurn();
    Snapshot s;
    std::memcpy(s.charas, Charas, sizeof s.charas);
    std::memcpy(s.authority, Authority, sizeof s.authority);
    s.seedCounter = SeedCounter;
    s.score = Score;
    return s;
  };
  Snapshot first = play();
  Snapshot second = play();
  EXPECT_EQ(0, std::memcmp(first.charas, second.charas, sizeof first.charas));
  EXPECT_EQ(0, std::memcmp(first.authority, second.authority, sizeof first.authority));
  EXPECT_EQ(first.seedCounter, second.seedCounter);
  EXPECT_EQ(first.score, second.score);
  EXPECT_NE(packMapPos(at(1, 1, 1)), packMapPos(first.charas[0].pos)) << "chara 2 went nowhere";
}

TEST_F(TurnTest, WalledInCharaNeverMovesButItsTrailAdvances) {
  for (uint8_t kind : {MoveRandom, MoveWander, MoveExplore}) {
    SCOPED_TRACE(testing::Message() << "moveKind " << int(kind));
    SetUp();
    setCell(2, 7, 9, TileFloor);
    place(1, at(7, 9, 2), kind);
    const uint32_t allowed[] = {packed(7, 9), packed(7, 10), packed(6, 9), packed(8, 9),
                                packed(7, 8)};
    for (int turn = 0; turn < 12; ++turn) {
      CharaRec before = Charas[1];
      runTurn();
      EXPECT_POS(at(7, 9, 2), Charas[1].pos);
      EXPECT_EQ(kind, Charas[1].moveKind);
      if (kind == MoveRandom) {
        EXPECT_EQ(0, std::memcmp(before.trail, Charas[1].trail, sizeof before.trail));
        continue;
      }
      for (int k = 0; k < 7; ++k) EXPECT_EQ(before.trail[k + 1], Charas[1].trail[k]);
      EXPECT_NE(std::end(allowed),
                std::find(std::begin(allowed), std::end(allowed), Charas[1].trail[7]))
          << "turn " << turn << " examined " << Charas[1].trail[7];
    }
  }
}

TEST_F(TurnTest, EachTurnUsesOneSeedPlusOnePerMover) {
  const struct {
    uint8_t kinds[3];
    uint32_t seeds;
  } cases[] = {
      {{MoveStay, MoveStay, MoveStay}, 1},         {{MoveRandom, MoveWander, MoveExplore}, 4},
      {{MoveExplore, MoveStay, MoveArrived}, 2},   {{9, MoveRandom, MoveRandom}, 3},
      {{MoveArrived, MoveArrived, MoveWander}, 2},
  };
  for (const auto& c : cases) {
    SetUp();
    for (int w = 1; w <= 3; ++w) openAll(w);
    for (int i = 0; i < 3; ++i) place(i, at(9, 9, i + 1), c.kinds[i]);
    SeedCounter = 100;
    runTurn();
    EXPECT_EQ(100 + c.seeds, SeedCounter)
        << int(c.kinds[0]) << " " << int(c.kinds[1]) << " " << int(c.kinds[2]);
  }
}

// Around (5, 5) of each maze all four neighbours are goals, so whatever the
// draw, a mover arrives.
class WinningTurnTest : public TurnTest {
 protected:
  void SetUp() override {
    TurnTest::SetUp();
    for (int w = 1; w <= 3; ++w) {
      setCell(w, 5, 5, TileFloor);
      for (int r = 0; r < 4; ++r) setCell(w, 5 + ChoiceDx[r], 5 + ChoiceDy[r], TileGoal);
    }
    place(0, at(5, 5, 1), MoveRandom);
    place(1, at(5, 5, 2), MoveWander);
    place(2, at(5, 5, 3), MoveExplore);
    LeaderPos = at(20, 20, 4);
    setStatus("before");
  }
};

TEST_F(WinningTurnTest, AllThreeArrivingWinsWithTheBudgetOfThatTurn) {
  const struct {
    int32_t score, after;
    const char* message;
  } cases[] = {{5000, 4999, "Congratulation! Score=5000"},
               {1234, 1233, "Congratulation! Score=1234"},
               {1, 0, "Congratulation! Score=1"},
               {0, 0, "Congratulation! Score=0"}};
  for (const auto& c : cases) {
    SetUp();
    Score = c.score;
    runTurn();
    EXPECT_STREQ(c.message, StatusText);
    EXPECT_EQ(ModeCleared, GameMode);
    EXPECT_EQ(c.after, Score);
    for (const CharaRec& chara : Charas) EXPECT_EQ(MoveArrived, chara.moveKind);
    EXPECT_EQ(2, passability(Charas[0].pos));
    EXPECT_POS(Charas[0].pos, LeaderPos);
  }
}

TEST_F(WinningTurnTest, LastArrivalWinsAndArrivedCharasStayPut) {
  place(0, at(29, 29, 1), MoveArrived);
  place(1, at(29, 29, 2), MoveArrived);
  Score = 77;
  runTurn();
  EXPECT_STREQ("Congratulation! Score=77", StatusText);
  EXPECT_EQ(ModeCleared, GameMode);
  EXPECT_POS(at(29, 29, 1), LeaderPos);
  EXPECT_POS(at(29, 29, 2), Charas[1].pos);
}

TEST_F(WinningTurnTest, NoWinWhileOneIsStillOnTheWay) {
  setCell(3, 5, 6, 1);  // chara 4 is walled in
  setCell(3, 4, 5, 1);
  setCell(3, 6, 5, 1);
  setCell(3, 5, 4, 1);
  Score = 0;
  for (int turn = 0; turn < 3; ++turn) runTurn();
  EXPECT_EQ(MoveArrived, Charas[0].moveKind);
  EXPECT_EQ(MoveArrived, Charas[1].moveKind);
  EXPECT_EQ(MoveExplore, Charas[2].moveKind);
  EXPECT_STREQ("before", StatusText);
  EXPECT_EQ(ModeField, GameMode);
  EXPECT_POS(at(20, 20, 4), LeaderPos);
  EXPECT_EQ(0, Score) << "the budget never goes below 0";
}

}  // namespace
