// Helpers for the movement and turn tests: the random generator written out
// from its formula, so expectations never come from the code being tested,
// and a fixture whose maps are walls throughout, to carve small mazes in.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "game/game_state.h"

struct Lcg {
  uint32_t state = 0;
  explicit Lcg(uint32_t seed) : state(seed) { next(); }
  uint32_t next() {
    state = state * 22695477u + 1u;
    return (state >> 16) & 0x7FFFu;
  }
};

// Returns the first count draws after seeding with seed.
inline std::vector<uint32_t> drawsAfter(uint32_t seed, int count) {
  Lcg lcg(seed);
  std::vector<uint32_t> draws;
  for (int k = 0; k < count; ++k) draws.push_back(lcg.next());
  return draws;
}

// Cell offsets of the random choices r = 0..3: down, left, right, up.
constexpr int ChoiceDx[4] = {0, -1, 1, 0};
constexpr int ChoiceDy[4] = {1, 0, 0, -1};

inline MapPos at(int x, int y, int world = 1) {
  return MapPos{uint8_t(x), uint8_t(y), 1, uint8_t(world)};
}

// Trail value of (x, y) on floor 1.
inline uint32_t packed(int x, int y) { return uint32_t(x + 32 * y + 1024); }

inline void setCell(int world, int x, int y, uint8_t code) {
  WorldMaps[world - 1].cells[x + 32 * y] = code;  // floor 1
}

#define EXPECT_POS(expected, actual) EXPECT_EQ(packMapPos(expected), packMapPos(actual))

class WalledMapsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetAllState();
    std::memset(WorldMaps, TileOutside, sizeof WorldMaps);
    GameMode = ModeField;
  }
  static void openAll(int world) {
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) setCell(world, x, y, TileFloor);
  }
  static void place(int i, MapPos pos, uint8_t kind) {
    Charas[i].pos = pos;
    Charas[i].moveKind = kind;
  }
};
