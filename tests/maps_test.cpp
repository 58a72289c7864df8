// The built-in world maps: what each floor holds, the frame around the mazes,
// start and goal cells, how the wall pieces face the floor, and how much of
// each maze can be walked from the start.
#include <gtest/gtest.h>

#include <array>
#include <deque>

#include "game/game_state.h"

namespace {

int cell(int world, int x, int y, int floor = 1) {
  return InitialMaps[world - 1].cells[cellIndex(x, y, floor)];
}

bool walkable(int code) { return code == TileFloor || code == TileGoal; }

TEST(Maps, FirstFloorCodeCounts) {
  // Index = tile code 0..11.
  struct Case {
    int world;
    std::array<int, TileCount> counts;
  };
  const Case cases[] = {
      {1, {0, 43, 74, 33, 83, 209, 99, 30, 97, 24, 331, 1}},
      {2, {0, 17, 98, 21, 76, 158, 79, 29, 114, 22, 409, 1}},
      {3, {0, 14, 68, 8, 71, 59, 64, 6, 92, 19, 622, 1}},
  };
  for (const Case& c : cases) {
    std::array<int, TileCount> counts{};
    for (int y = 0; y < MapSide; ++y) {
      for (int x = 0; x < MapSide; ++x) {
        int code = cell(c.world, x, y);
        ASSERT_LT(code, TileCount) << "world " << c.world << " at " << x << "," << y;
        ++counts[code];
      }
    }
    for (int code = 0; code < TileCount; ++code) {
      EXPECT_EQ(counts[code], c.counts[code]) << "world " << c.world << " code " << code;
    }
  }
}

TEST(Maps, FrameOfEveryMazeIsWall) {
  for (int world = 1; world <= 3; ++world) {
    for (int i = 0; i < MapSide; ++i) {
      int top = cell(world, i, 0), bottom = cell(world, i, 31);
      int left = cell(world, 0, i), right = cell(world, 31, i);
      EXPECT_TRUE(top == 5 || top == 8) << "world " << world << " x " << i << ": " << top;
      EXPECT_TRUE(bottom == 2 || bottom == 5) << "world " << world << " x " << i << ": " << bottom;
      EXPECT_TRUE(left == 5 || left == 6) << "world " << world << " y " << i << ": " << left;
      EXPECT_TRUE(right == 4 || right == 5) << "world " << world << " y " << i << ": " << right;
    }
  }
}

TEST(Maps, StartIsFloorAndEachMazeHasOneGoal) {
  struct Case {
    int world, goalX, goalY;
  };
  const Case cases[] = {{1, 29, 29}, {2, 29, 29}, {3, 12, 16}};
  for (const Case& c : cases) {
    EXPECT_EQ(cell(c.world, 1, 1), TileFloor) << "world " << c.world;
    EXPECT_EQ(cell(c.world, c.goalX, c.goalY), TileGoal) << "world " << c.world;
    int goals = 0;
    for (int floor = 1; floor <= FloorCount; ++floor) {
      for (int y = 0; y < MapSide; ++y) {
        for (int x = 0; x < MapSide; ++x) goals += cell(c.world, x, y, floor) == TileGoal;
      }
    }
    EXPECT_EQ(goals, 1) << "world " << c.world;
  }
}

TEST(Maps, EveryCellHoldsAKnownCodeAndNoneIsEmpty) {
  for (int world = 1; world <= WorldCount; ++world) {
    for (int i = 0; i < CellsPerWorld; ++i) {
      int code = InitialMaps[world - 1].cells[i];
      EXPECT_TRUE(code >= 1 && code <= 11) << "world " << world << " index " << i << ": " << code;
    }
  }
}

TEST(Maps, UpperFloorsAndWorldsFourAndFiveAreSolid) {
  for (int world = 1; world <= WorldCount; ++world) {
    int firstSolid = world <= 3 ? 2 : 1;
    for (int floor = firstSolid; floor <= FloorCount; ++floor) {
      for (int y = 0; y < MapSide; ++y) {
        for (int x = 0; x < MapSide; ++x) {
          // The top floor of worlds 1 and 2 ends in a row of bottom-edge pieces.
          bool edgeRow = floor == 8 && y == 31 && (world == 1 || world == 2);
          EXPECT_EQ(cell(world, x, y, floor), edgeRow ? 8 : 5)
              << "world " << world << " floor " << floor << " at " << x << "," << y;
        }
      }
    }
  }
}

// In worlds 1 and 2 codes 1 to 9 are the pieces of a wall block and show floor
// on their open sides (piece 1 on its top and left, 6 on its right, ...). The
// mazes are laid out so that an open side always looks onto a walkable cell.
TEST(Maps, OpenSidesOfWallPiecesFaceFloor) {
  for (int world = 1; world <= 2; ++world) {
    for (int y = 0; y < MapSide; ++y) {
      for (int x = 0; x < MapSide; ++x) {
        int code = cell(world, x, y);
        if (code < 1 || code > 9 || code == 5) continue;
        int col = (code - 1) % 3, row = (code - 1) / 3;
        struct Side {
          bool open;
          int dx, dy;
        };
        const Side sides[] = {
            {col == 0, -1, 0}, {col == 2, 1, 0}, {row == 0, 0, -1}, {row == 2, 0, 1}};
        for (const Side& s : sides) {
          if (!s.open) continue;
          int nx = x + s.dx, ny = y + s.dy;
          ASSERT_TRUE(nx >= 0 && ny >= 0 && nx < MapSide && ny < MapSide)
              << "world " << world << ": piece " << code << " at " << x << "," << y
              << " opens onto the map's edge";
          EXPECT_TRUE(walkable(cell(world, nx, ny)))
              << "world " << world << ": piece " << code << " at " << x << "," << y
              << " opens onto code " << cell(world, nx, ny);
        }
      }
    }
  }
}

struct Reach {
  int reached = 0;
  int open = 0;
  int goalSteps = -1;  // -1: the goal cannot be reached
};

// Breadth-first walk over side-adjacent walkable cells of floor 1.
Reach reachFromStart(int world) {
  Reach r;
  std::array<int, CellsPerFloor> steps;
  steps.fill(-1);
  std::deque<int> queue{1 + MapSide * 1};
  steps[queue.front()] = 0;
  while (!queue.empty()) {
    int at = queue.front();
    queue.pop_front();
    ++r.reached;
    int x = at % MapSide, y = at / MapSide;
    if (cell(world, x, y) == TileGoal) r.goalSteps = steps[at];
    const int moves[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& m : moves) {
      int nx = x + m[0], ny = y + m[1];
      if (nx < 0 || ny < 0 || nx >= MapSide || ny >= MapSide) continue;
      int next = nx + MapSide * ny;
      if (steps[next] >= 0 || !walkable(cell(world, nx, ny))) continue;
      steps[next] = steps[at] + 1;
      queue.push_back(next);
    }
  }
  for (int i = 0; i < CellsPerFloor; ++i) r.open += walkable(InitialMaps[world - 1].cells[i]);
  return r;
}

TEST(Maps, ReachableFromTheStart) {
  struct Case {
    int world, reached, open, goalSteps;
  };
  const Case cases[] = {{1, 179, 332, -1}, {2, 374, 410, 78}, {3, 598, 623, 34}};
  for (const Case& c : cases) {
    Reach r = reachFromStart(c.world);
    EXPECT_EQ(r.reached, c.reached) << "world " << c.world;
    EXPECT_EQ(r.open, c.open) << "world " << c.world;
    EXPECT_EQ(r.goalSteps, c.goalSteps) << "world " << c.world;
  }
}

}  // namespace
