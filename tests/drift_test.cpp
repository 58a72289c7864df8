// Tests of the per-turn drift of authority: reliability recovering in worlds 1
// to 3 and, while it stays negative, privileges lost at random.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "game/game_state.h"
#include "game/movement.h"
#include "tests/support/walled_maps.h"

namespace {

// Every chara starts trusted (100) with every flag in planes 1 to 3, so
// nothing draws until a case makes a reliability negative.
class DriftTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetAllState();
    for (int w = 0; w < 3; ++w) {
      for (int c = 0; c < AuthorityCharaCount; ++c) {
        Authority[w].reliability[c] = 100;
        std::memset(Authority[w].privileges[c], 1, PrivilegeFlagCount);
      }
    }
  }
  static uint8_t* flags(int plane, int c) { return Authority[plane - 1].privileges[c]; }
  static int16_t& reliability(int plane, int c) { return Authority[plane - 1].reliability[c]; }
};

// Returns the first seed whose draws satisfy wanted.
template <typename Wanted>
uint32_t findSeed(int draws, Wanted wanted) {
  for (uint32_t seed = 0; seed < 100000; ++seed) {
    if (wanted(drawsAfter(seed, draws))) return seed;
  }
  ADD_FAILURE() << "no seed found";
  return 0;
}

TEST_F(DriftTest, ReliabilityRecoversBelowOneHundredWithoutDrawing) {
  const struct {
    int plane;
    int16_t start, end;
  } cases[] = {
      {1, 99, 109}, {1, 100, 100}, {1, 250, 250}, {1, 0, 10}, {1, -10, 0},
      {2, 99, 100}, {2, 100, 100}, {2, 0, 1},     {2, -1, 0}, {3, 97, 100},
      {3, 98, 101}, {3, 100, 100}, {3, -3, 0},    {3, 0, 3},
  };
  for (const auto& c : cases) {
    SetUp();
    for (int chara = 0; chara < AuthorityCharaCount; ++chara) reliability(c.plane, chara) = c.start;
    for (int w = 3; w < 5; ++w) {  // worlds 4 and 5 never drift
      Authority[w].reliability[0] = -50;
      Authority[w].privileges[0][0] = 1;
    }
    seedRandom(42);
    driftAuthority();
    for (int chara = 0; chara < AuthorityCharaCount; ++chara) {
      EXPECT_EQ(c.end, reliability(c.plane, chara)) << "plane " << c.plane << " from " << c.start;
      for (int k = 0; k < PrivilegeFlagCount; ++k) EXPECT_EQ(1, flags(c.plane, chara)[k]);
    }
    EXPECT_EQ(Lcg(42).state, RandomState) << "plane " << c.plane << " from " << c.start;
    for (int w = 3; w < 5; ++w) {
      EXPECT_EQ(-50, Authority[w].reliability[0]);
      EXPECT_EQ(1, Authority[w].privileges[0][0]);
    }
  }
}

TEST_F(DriftTest, PlaneOneLosesFiveFlagsOnOneDraw) {
  for (bool lost : {true, false}) {
    SetUp();
    uint32_t seed =
        findSeed(1, [lost](const std::vector<uint32_t>& d) { return (d[0] % 10 == 0) == lost; });
    reliability(1, 2) = -50;
    seedRandom(seed);
    driftAuthority();
    EXPECT_EQ(-40, reliability(1, 2));
    for (int k = 0; k < 5; ++k) EXPECT_EQ(lost ? 0 : 1, flags(1, 2)[k]) << "flag " << k;
    EXPECT_EQ(1, flags(1, 2)[5]) << "flag 5 is never lost";
    EXPECT_EQ(drawsAfter(seed, 2)[1], nextRandom()) << "exactly one draw";
  }
}

// Flag 1 is already gone, so only flags 0, 2, 3 and 4 draw; flag k goes when
// its draw divides by firstDivisor + 5k.
TEST_F(DriftTest, PlanesTwoAndThreeLoseFlagsOneByOne) {
  const struct {
    int plane;
    int16_t after;
    uint32_t firstDivisor;
  } cases[] = {{2, -19, 5}, {3, -17, 10}};
  const int drawingFlags[4] = {0, 2, 3, 4};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "plane " << c.plane);
    SetUp();
    auto lostFlags = [&](const std::vector<uint32_t>& d) {
      int lost = 0;
      for (int j = 0; j < 4; ++j) {
        if (d[j] % (c.firstDivisor + 5u * drawingFlags[j]) == 0) lost |= 1 << drawingFlags[j];
      }
      return lost;
    };
    uint32_t seed = findSeed(5, [&](const std::vector<uint32_t>& d) {
      int lost = lostFlags(d);
      return lost != 0 && lost != (1 | 4 | 8 | 16);
    });
    int lost = lostFlags(drawsAfter(seed, 5));
    reliability(c.plane, 4) = -20;
    flags(c.plane, 4)[1] = 0;
    seedRandom(seed);
    driftAuthority();
    EXPECT_EQ(c.after, reliability(c.plane, 4));
    for (int k : drawingFlags) EXPECT_EQ((lost >> k & 1) ? 0 : 1, flags(c.plane, 4)[k]) << k;
    EXPECT_EQ(0, flags(c.plane, 4)[1]);
    EXPECT_EQ(1, flags(c.plane, 4)[5]) << "flag 5 is never lost";
    EXPECT_EQ(drawsAfter(seed, 5)[4], nextRandom()) << "one draw per flag still held";
  }
}

// Chara 1 draws five times in plane 2 and five in plane 3 before chara 2
// draws once in plane 1; the seed makes the eleventh draw, and not the first,
// take chara 2's flags.
TEST_F(DriftTest, CharasDrawInTurnPlaneByPlane) {
  uint32_t seed = findSeed(
      12, [](const std::vector<uint32_t>& d) { return d[10] % 10 == 0 && d[0] % 10 != 0; });
  std::vector<uint32_t> draws = drawsAfter(seed, 12);
  reliability(2, 0) = -10;
  reliability(3, 0) = -10;
  reliability(1, 1) = -20;
  seedRandom(seed);
  driftAuthority();
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(draws[k] % (5u * k + 5u) == 0 ? 0 : 1, flags(2, 0)[k]) << "plane 2 flag " << k;
    EXPECT_EQ(draws[5 + k] % (5u * k + 10u) == 0 ? 0 : 1, flags(3, 0)[k]) << "plane 3 flag " << k;
    EXPECT_EQ(0, flags(1, 1)[k]) << "plane 1 flag " << k;
  }
  EXPECT_EQ(draws[11], nextRandom());
}

TEST_F(DriftTest, LowestReliabilityStillRecovers) {
  reliability(1, 0) = -32768;
  reliability(2, 0) = -32768;
  reliability(3, 0) = -32768;
  seedRandom(5);
  driftAuthority();
  EXPECT_EQ(-32758, reliability(1, 0));
  EXPECT_EQ(-32767, reliability(2, 0));
  EXPECT_EQ(-32765, reliability(3, 0));
}

}  // namespace
