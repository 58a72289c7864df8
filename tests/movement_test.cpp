// Tests of the random generator, the map look-ups, the leader's steps and the
// three ways the charas move.
#include "game/movement.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "game/game_state.h"
#include "tests/support/walled_maps.h"

namespace {

using MovementTest = WalledMapsTest;

TEST(RandomTest, FirstDrawsAfterSeeding) {
  const struct {
    uint32_t seed;
    std::vector<uint32_t> draws;
  } cases[] = {{0, {346}}, {1, {130, 10982, 1090}}};
  for (const auto& c : cases) {
    seedRandom(c.seed);
    for (uint32_t draw : c.draws) EXPECT_EQ(draw, nextRandom()) << "seed " << c.seed;
  }
}

TEST(RandomTest, FollowsTheFormulaForAnySeed) {
  for (uint32_t seed : {0u, 2u, 77u, 123456u, 0xFFFFFFFFu}) {
    seedRandom(seed);
    EXPECT_EQ(seed * 22695477u + 1u, RandomState) << "seeding spends one step";
    for (uint32_t draw : drawsAfter(seed, 50)) ASSERT_EQ(draw, nextRandom()) << "seed " << seed;
  }
}

TEST_F(MovementTest, CellAtAndPassability) {
  WorldMaps[0].cells[0] = TileFloor;                       // world 1 (0, 0) floor 1
  WorldMaps[4].cells[31 + 32 * 31 + 1024 * 7] = TileGoal;  // world 5 (31, 31) floor 8
  WorldMaps[2].cells[4 + 32 * 7 + 1024] = 7;               // world 3 (4, 7) floor 2
  WorldMaps[1].cells[3 + 32 * 3] = TileEmpty;
  const struct {
    MapPos pos;
    int cell, pass;
  } cases[] = {
      {{0, 0, 1, 1}, TileFloor, 1},   {{31, 31, 8, 5}, TileGoal, 2}, {{4, 7, 2, 3}, 7, 0},
      {{4, 7, 1, 3}, TileOutside, 0}, {{3, 3, 1, 2}, TileEmpty, 0},  {{0, 0, 1, 0}, -1, 0},
      {{0, 0, 1, 6}, -1, 0},          {{0, 0, 1, 255}, -1, 0},       {{32, 0, 1, 1}, -1, 0},
      {{255, 0, 1, 1}, -1, 0},        {{0, 32, 1, 1}, -1, 0},        {{0, 255, 1, 1}, -1, 0},
      {{0, 0, 0, 1}, -1, 0},          {{0, 0, 9, 1}, -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "pos x" << int(c.pos.x) << " y" << int(c.pos.y) << " f"
                                    << int(c.pos.floor) << " w" << int(c.pos.world));
    EXPECT_EQ(c.cell, cellAt(c.pos));
    EXPECT_EQ(c.pass, passability(c.pos));
  }
}

TEST_F(MovementTest, LeaderStepsOnlyOntoFloorAndGoal) {
  // A plus of open cells around (5, 5) with a wall on its right and the goal
  // on its left; (0, 3) and (3, 0) are open cells on the map's edge.
  const int open[][2] = {{5, 5}, {5, 4}, {5, 6}, {0, 3}, {3, 0}};
  for (const auto& xy : open) setCell(1, xy[0], xy[1], TileFloor);
  setCell(1, 4, 5, TileGoal);
  const struct {
    MapPos from;
    int direction;
    MapPos to;
  } cases[] = {
      {at(5, 5), DirDown, at(5, 6)},
      {at(5, 5), DirUp, at(5, 4)},
      {at(5, 5), DirLeft, at(4, 5)},
      {at(5, 5), DirRight, at(5, 5)},
      {at(5, 6), DirDown, at(5, 6)},
      {at(0, 3), DirLeft, at(0, 3)},
      {at(3, 0), DirUp, at(3, 0)},
      {at(5, 5), 5, at(5, 5)},
      {at(5, 5, 4), DirUp, at(5, 5, 4)},
      // From off the map, a step wraps inside its own byte back onto it.
      {at(255, 3), DirRight, at(0, 3)},
      {at(3, 255), DirDown, at(3, 0)},
  };
  for (const auto& c : cases) {
    LeaderPos = c.from;
    stepLeader(c.direction);
    EXPECT_POS(c.to, LeaderPos) << "from " << int(c.from.x) << "," << int(c.from.y) << " dir "
                                << c.direction;
  }
}

TEST_F(MovementTest, RandomMoverFollowsTheDrawAndIgnoresItsTrail) {
  openAll(1);
  bool directionSeen[4] = {};
  for (uint32_t seed = 0; seed < 16; ++seed) {
    int r = int(drawsAfter(seed, 1)[0] % 4);
    directionSeen[r] = true;
    place(0, at(5, 5), MoveRandom);
    for (int k = 0; k < 8; ++k)
      Charas[0].trail[k] = packed(5 + ChoiceDx[k % 4], 5 + ChoiceDy[k % 4]);
    uint32_t trailBefore[8];
    std::memcpy(trailBefore, Charas[0].trail, sizeof trailBefore);
    SeedCounter = seed;
    EXPECT_EQ(1, moveRandom(0)) << "seed " << seed;
    EXPECT_POS(at(5 + ChoiceDx[r], 5 + ChoiceDy[r]), Charas[0].pos) << "seed " << seed;
    EXPECT_EQ(seed + 1, SeedCounter);
    EXPECT_EQ(0, std::memcmp(trailBefore, Charas[0].trail, sizeof trailBefore));
  }
  for (bool seen : directionSeen) EXPECT_TRUE(seen) << "seeds 0..15 should try all four ways";

  // Seed 1 draws 130 first: right, into a wall, then onto a goal.
  place(0, at(5, 5), MoveRandom);
  setCell(1, 6, 5, 3);
  SeedCounter = 1;
  EXPECT_EQ(0, moveRandom(0));
  EXPECT_POS(at(5, 5), Charas[0].pos);
  setCell(1, 6, 5, TileGoal);
  SeedCounter = 1;
  EXPECT_EQ(2, moveRandom(0));
  EXPECT_POS(at(6, 5), Charas[0].pos);
}

TEST_F(MovementTest, WandererRemembersTheWallItTried) {
  openAll(1);
  setCell(1, 6, 5, 4);
  place(0, at(5, 5), MoveWander);
  SeedCounter = 1;  // draws 130 first: right, into the wall
  ASSERT_EQ(2u, drawsAfter(1, 1)[0] % 4);
  EXPECT_EQ(0, moveWander(0));
  EXPECT_POS(at(5, 5), Charas[0].pos);
  EXPECT_EQ(packed(6, 5), Charas[0].trail[7]);
  // For the next seven moves the wall stays in the trail, sliding down, and
  // is never examined again.
  for (int k = 1; k <= 7; ++k) {
    moveWander(0);
    EXPECT_EQ(packed(6, 5), Charas[0].trail[7 - k]) << "move " << k;
    EXPECT_NE(packed(6, 5), Charas[0].trail[7]) << "move " << k;
  }
}

TEST_F(MovementTest, StepsWrapInsideTheirByte) {
  // A blocked candidate is still remembered, which shows where a step from
  // the map's edge leads: x 0 - 1 = 255 on the same row, y 0 - 1 = 255.
  const struct {
    MapPos from;
    int r;
    uint32_t examined;
  } cases[] = {{at(0, 5), 1, 255 + 32 * 5 + 1024}, {at(6, 0), 3, 6 + 32 * 255 + 1024}};
  for (const auto& c : cases) {
    SetUp();
    uint32_t seed = 0;
    while (drawsAfter(seed, 1)[0] % 4 != uint32_t(c.r)) ++seed;
    place(0, c.from, MoveWander);
    SeedCounter = seed;
    EXPECT_EQ(0, moveWander(0));
    EXPECT_EQ(c.examined, Charas[0].trail[7]) << "r " << c.r;
    EXPECT_POS(c.from, Charas[0].pos);
  }
}

// The chara at (5, 5) of world 1 remembers all four neighbours, so all ten
// draws land on seen cells. Neighbours are opened in the order up, down,
// left, right, `open` of them.
TEST_F(MovementTest, ExplorerTakesTheLastDrawOnlyAtAJunction) {
  const uint32_t up = packed(5, 4), down = packed(5, 6), left = packed(4, 5), right = packed(6, 5);
  // A seed whose tenth draw differs from its first, so the rule is seen to
  // keep the last one.
  uint32_t seed = 0;
  while (drawsAfter(seed, 10)[0] % 4 == drawsAfter(seed, 10)[9] % 4) ++seed;
  int lastR = int(drawsAfter(seed, 10)[9] % 4);
  const int openXY[4][2] = {{5, 4}, {5, 6}, {4, 5}, {6, 5}};

  for (uint8_t kind : {MoveWander, MoveExplore}) {
    for (int open = 0; open <= 4; ++open) {
      SCOPED_TRACE(testing::Message() << "kind " << int(kind) << ", open " << open);
      SetUp();
      setCell(1, 5, 5, TileFloor);
      for (int k = 0; k < open; ++k) setCell(1, openXY[k][0], openXY[k][1], TileFloor);
      place(0, at(5, 5), kind);
      const uint32_t trail[8] = {up, down, left, right, 111, 222, 333, 444};
      std::memcpy(Charas[0].trail, trail, sizeof trail);
      SeedCounter = seed;

      int result = kind == MoveExplore ? moveExplore(0) : moveWander(0);
      EXPECT_EQ(seed + 1, SeedCounter);
      if (kind == MoveExplore && open > 2) {
        MapPos target = at(5 + ChoiceDx[lastR], 5 + ChoiceDy[lastR]);
        int pass = passability(target);
        EXPECT_EQ(pass, result);
        EXPECT_POS(pass ? target : at(5, 5), Charas[0].pos);
        const uint32_t expected[8] = {0, 0, 0, 0, 0, 0, 444, PackedCell(target)};
        EXPECT_EQ(0, std::memcmp(expected, Charas[0].trail, sizeof expected));
      } else {
        EXPECT_EQ(0, result);
        EXPECT_POS(at(5, 5), Charas[0].pos);
        const uint32_t expected[8] = {down, left, right, 111, 222, 333, 444, packed(5, 5)};
        EXPECT_EQ(0, std::memcmp(expected, Charas[0].trail, sizeof expected));
      }
    }
  }
}

TEST_F(MovementTest, UnseenCellIsTakenAtOnce) {
  for (uint8_t kind : {MoveWander, MoveExplore}) {
    SetUp();
    openAll(3);
    place(2, at(9, 9, 3), kind);
    Charas[2].trail[7] = 777;
    SeedCounter = 1;  // 130: right
    EXPECT_EQ(1, kind == MoveWander ? moveWander(2) : moveExplore(2));
    EXPECT_POS(at(10, 9, 3), Charas[2].pos);
    const uint32_t expected[8] = {0, 0, 0, 0, 0, 0, 777, packed(10, 9)};
    EXPECT_EQ(0, std::memcmp(expected, Charas[2].trail, sizeof expected)) << int(kind);
  }
}

TEST_F(MovementTest, MovesStayInsideTheRecords) {
  openAll(1);
  place(0, at(5, 5), MoveRandom);
  CharaRec before[3];
  std::memcpy(before, Charas, sizeof before);
  for (int i : {-1, 3, 1000, -100000}) {
    EXPECT_EQ(0, moveRandom(i));
    EXPECT_EQ(0, moveWander(i));
    EXPECT_EQ(0, moveExplore(i));
  }
  EXPECT_EQ(0u, SeedCounter) << "a refused move draws nothing";
  EXPECT_EQ(0, std::memcmp(before, Charas, sizeof before));

  // Charas standing off the maps find every neighbour blocked.
  const MapPos offMap[] = {
      {5, 5, 1, 0}, {5, 5, 1, 6}, {255, 255, 1, 1}, {5, 5, 0, 1}, {5, 5, 9, 2}};
  for (const MapPos& pos : offMap) {
    place(0, pos, MoveRandom);
    place(1, pos, MoveWander);
    place(2, pos, MoveExplore);
    for (int turn = 0; turn < 5; ++turn) runTurn();
    for (const CharaRec& chara : Charas) EXPECT_POS(pos, chara.pos);
  }
}

}  // namespace
