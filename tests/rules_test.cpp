// The world's own rules: turns from fixed seeds with known outcomes (movers,
// authority drift, the budget), the leader's steps, the seeds a turn uses and
// the win.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "game/game_state.h"
#include "game/movement.h"
#include "tests/support/fnv.h"
#include "tests/support/rules_fixture.h"

namespace {

// The movers' places and a hash of every record a turn writes.
std::string turnState() {
  Fnv1a h;
  for (const CharaRec& c : Charas)
    h.bytes(&c.pos, 4), h.bytes(&c.moveKind, 1), h.bytes(c.trail, sizeof c.trail);
  h.bytes(Authority, sizeof Authority), h.bytes(&LeaderPos, sizeof LeaderPos);
  h.bytes(&SeedCounter, 4), h.bytes(&RandomState, 4), h.bytes(&Score, 4), h.bytes(&GameMode, 1);
  char text[160];
  std::snprintf(text, sizeof text, "%d,%d,%d %d,%d,%d %d,%d,%d seed %u score %d %016llx",
                Charas[0].pos.x, Charas[0].pos.y, Charas[0].moveKind, Charas[1].pos.x,
                Charas[1].pos.y, Charas[1].moveKind, Charas[2].pos.x, Charas[2].pos.y,
                Charas[2].moveKind, SeedCounter, Score, static_cast<unsigned long long>(h.value));
  return text;
}

void openFloors() {
  for (int w = 0; w < 3; ++w) {
    for (int y = 1; y < 31; ++y) {
      for (int x = 1; x < 31; ++x) WorldMaps[w].cells[cellIndex(x, y, 1)] = TileFloor;
    }
  }
}

struct Game {
  const char* name;
  void (*setup)();
  const char* after[2];  // turnState after turns 1 and 400
};

const Game Games[] = {
    {"fresh",
     [] {},
     {"2,1,2 2,1,3 1,1,3 seed 4 score 4999 f0717923d874ba10",
      "9,2,2 29,6,3 2,10,3 seed 1600 score 4600 b4ce4cdade1920b9"}},
    {"distrusted",
     [] {
       for (int w = 0; w < 3; ++w) {
         for (int c = 0; c < AuthorityCharaCount; ++c) {
           Authority[w].reliability[c] = int16_t(-400 * (c + 1) - 1000 * w);
         }
       }
     },
     {"2,1,2 2,1,3 1,1,3 seed 4 score 4999 e886296937d22378",
      "9,2,2 29,6,3 2,10,3 seed 1600 score 4600 07e7c9d6c01ebb99"}},
    // A turn's recovery brings every plane back to exactly zero, which is
    // no longer distrust: no flag may be drawn for.
    {"on the brink",
     [] {
       for (int c = 0; c < AuthorityCharaCount; ++c) {
         Authority[0].reliability[c] = -10;
         Authority[1].reliability[c] = -1;
         Authority[2].reliability[c] = -3;
       }
     },
     {"2,1,2 2,1,3 1,1,3 seed 4 score 4999 60abff5e42655ad2",
      "9,2,2 29,6,3 2,10,3 seed 1600 score 4600 b4ce4cdade1920b9"}},
    {"open floors, every kind of mover",
     [] {
       openFloors();
       Charas[0].moveKind = MoveRandom;
       Charas[2].moveKind = MoveWander;
       Charas[1].pos = MapPos{15, 15, 1, 2};
       SeedCounter = 77;
     },
     {"1,2,1 14,15,3 1,1,2 seed 81 score 4999 897c3ccacd157780",
      "5,4,1 3,9,3 14,1,2 seed 1677 score 4600 92820e2b0ac681b9"}},
};

TEST(FixedSeeds, GamesReachTheirKnownStates) {
  for (const Game& game : Games) {
    startFreshGame();
    game.setup();
    int turn = 0;
    const int checkpoints[2] = {1, 400};
    for (int k = 0; k < 2; ++k) {
      while (turn < checkpoints[k]) {
        runTurn();
        ++turn;
      }
      EXPECT_EQ(turnState(), game.after[k]) << game.name << " after turn " << turn;
    }
  }
}

// Worlds of wall with a few cells opened, to carve small mazes in.
class WalledMaps : public ::testing::Test {
 protected:
  void SetUp() override {
    resetAllState();
    std::memset(WorldMaps, TileOutside, sizeof WorldMaps);
    GameMode = ModeField;
    setStatus("before");
  }
  static void open(int world, int x, int y, uint8_t tile = TileFloor) {
    WorldMaps[world - 1].cells[cellIndex(x, y, 1)] = tile;
  }
  static void place(int i, MapPos pos, uint8_t kind) {
    Charas[i].pos = pos;
    Charas[i].moveKind = kind;
  }
};

TEST_F(WalledMaps, LeaderStepsOntoFloorAndGoalOnlyAndNeverWrapsOntoTheMap) {
  open(1, 5, 5);
  open(1, 6, 5, TileGoal);
  open(1, 5, 6, 9);
  open(1, 0, 0);
  const struct {
    MapPos from;
    int direction;
    MapPos to;
  } steps[] = {
      {{5, 5, 1, 1}, DirRight, {6, 5, 1, 1}}, {{6, 5, 1, 1}, DirLeft, {5, 5, 1, 1}},
      {{5, 5, 1, 1}, DirDown, {5, 5, 1, 1}},  {{5, 5, 1, 1}, DirUp, {5, 5, 1, 1}},
      {{0, 0, 1, 1}, DirLeft, {0, 0, 1, 1}},  {{0, 0, 1, 1}, DirUp, {0, 0, 1, 1}},
      {{5, 5, 1, 1}, 5, {5, 5, 1, 1}},        {{5, 5, 1, 6}, DirRight, {5, 5, 1, 6}},
      {{5, 5, 2, 1}, DirRight, {5, 5, 2, 1}},
  };
  for (const auto& s : steps) {
    LeaderPos = s.from;
    stepLeader(s.direction);
    EXPECT_EQ(packMapPos(LeaderPos), packMapPos(s.to))
        << s.from.x << "," << s.from.y << " " << s.direction;
  }
}

// All three on a goal win the game with the budget of that turn, which never
// falls below zero; the leader is put on chara 2.
TEST_F(WalledMaps, ArrivingOnTheGoalsWins) {
  const struct {
    int32_t score, after;
    const char* message;
  } cases[] = {{5000, 4999, "Congratulation! Score=5000"},
               {1, 0, "Congratulation! Score=1"},
               {0, 0, "Congratulation! Score=0"}};
  for (const auto& c : cases) {
    SetUp();
    for (int w = 1; w <= 3; ++w) {
      open(w, 5, 5);
      for (auto [x, y] : {std::pair{5, 6}, {4, 5}, {6, 5}, {5, 4}}) open(w, x, y, TileGoal);
      place(w - 1, MapPos{5, 5, 1, uint8_t(w)}, w == 1 ? MoveRandom : MoveExplore);
    }
    LeaderPos = MapPos{20, 20, 1, 4};
    Score = c.score;
    runTurn();
    EXPECT_STREQ(StatusText, c.message);
    EXPECT_EQ(GameMode, ModeCleared);
    EXPECT_EQ(Score, c.after);
    EXPECT_EQ(packMapPos(LeaderPos), packMapPos(Charas[0].pos));
    EXPECT_NE(packMapPos(LeaderPos), packMapPos(MapPos{5, 5, 1, 1}));
  }
  // One still walled in: no win, arrived charas stay put.
  SetUp();
  place(0, MapPos{29, 29, 1, 1}, MoveArrived);
  place(1, MapPos{29, 29, 1, 2}, MoveArrived);
  place(2, MapPos{5, 5, 1, 3}, MoveExplore);
  Score = 0;
  runTurn();
  EXPECT_STREQ(StatusText, "before");
  EXPECT_EQ(GameMode, ModeField);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(packMapPos(Charas[1].pos), packMapPos(MapPos{29, 29, 1, 2}));
}

}  // namespace
