// The day's mazes, version 1 (see daily_maze_v1.h). The maze is carved on a
// lattice: its rooms are the cells of odd x and y (1 to 29), and the cell
// between two of them is the wall carving opens. Row and column 30 stay
// wall, a thicker edge on the right and at the bottom.
#include "worlds/daily_maze_v1.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "worlds/wall_shaper.h"

namespace {

constexpr int Lattice = 15;  // lattice cells a side
constexpr int Dx[4] = {0, 0, -1, 1}, Dy[4] = {-1, 1, 0, 0};

enum LatticeMark : uint8_t { Unvisited, Carved, Solid };

// Where lattice cell (i, j) lies on the floor.
int latticeCell(int i, int j) { return (1 + 2 * i) + MapSide * (1 + 2 * j); }

struct Carver {
  DailyRandom& random;
  uint8_t* floor;
  uint8_t marks[Lattice * Lattice] = {};

  bool inLattice(int i, int j) const { return i >= 0 && j >= 0 && i < Lattice && j < Lattice; }

  // Solid blocks of lattice cells the maze winds round (the built-in mazes'
  // stretches of code 5): fewer cells to wander, and a shape of its own.
  void solidBlocks() {
    const int count = random.between(5, 9);
    for (int b = 0; b < count; ++b) {
      const int w = random.between(2, 4), h = random.between(2, 4);
      const int i0 = int(random.below(uint32_t(Lattice - w + 1)));
      const int j0 = int(random.below(uint32_t(Lattice - h + 1)));
      for (int j = j0; j < j0 + h; ++j)
        for (int i = i0; i < i0 + w; ++i) marks[i + Lattice * j] = Solid;
    }
  }

  // A depth-first maze (long winding corridors, which a wanderer follows
  // rather than circles in) over every lattice cell reachable from `first`.
  void carveFrom(int first) {
    std::vector<int> stack{first};
    marks[first] = Carved;
    floor[latticeCell(first % Lattice, first / Lattice)] = TileFloor;
    while (!stack.empty()) {
      const int at = stack.back(), i = at % Lattice, j = at / Lattice;
      int ways[4], count = 0;
      for (int k = 0; k < 4; ++k) {
        if (inLattice(i + Dx[k], j + Dy[k]) &&
            marks[i + Dx[k] + Lattice * (j + Dy[k])] == Unvisited)
          ways[count++] = k;
      }
      if (count == 0) {
        stack.pop_back();
        continue;
      }
      const int k = ways[random.below(uint32_t(count))];
      const int next = i + Dx[k] + Lattice * (j + Dy[k]);
      marks[next] = Carved;
      floor[latticeCell(i, j) + Dx[k] + MapSide * Dy[k]] = TileFloor;
      floor[latticeCell(i + Dx[k], j + Dy[k])] = TileFloor;
      stack.push_back(next);
    }
  }

  // Takes out a few walls between two corridors, so that some ways meet
  // again, as in the built-in mazes.
  void braid() {
    const int tries = random.between(8, 15);
    for (int t = 0; t < tries; ++t) {
      const int x = random.between(1, 29), y = random.between(1, 29);
      if ((x + y) % 2 == 0 || floor[x + MapSide * y] == TileFloor) continue;
      const bool across = x % 2 == 0 ? floor[x - 1 + MapSide * y] == TileFloor &&
                                           floor[x + 1 + MapSide * y] == TileFloor
                                     : floor[x + MapSide * (y - 1)] == TileFloor &&
                                           floor[x + MapSide * (y + 1)] == TileFloor;
      if (across) floor[x + MapSide * y] = TileFloor;
    }
  }

  // Small open rooms, as the built-in mazes have.
  void rooms(int world) {
    const int count = random.between(world, world + 1);
    for (int r = 0; r < count; ++r) {
      const int w = random.between(2, 4), h = random.between(2, 3);
      const int x0 = random.between(1, 29 - w), y0 = random.between(1, 29 - h);
      for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) floor[x + MapSide * y] = TileFloor;
    }
  }
};

// Fills `distance` with the steps from `from` over floor (-1: not reached)
// and returns the cells reached, nearest first.
std::vector<int> walkFrom(const uint8_t* floor, int from, std::vector<int>& distance) {
  distance.assign(CellsPerFloor, -1);
  std::vector<int> order{from};
  distance[size_t(from)] = 0;
  for (size_t h = 0; h < order.size(); ++h) {
    const int at = order[h];
    for (int k = 0; k < 4; ++k) {
      const int next = at + Dx[k] + MapSide * Dy[k];
      if (floor[next] == TileFloor && distance[size_t(next)] < 0) {
        distance[size_t(next)] = distance[size_t(at)] + 1;
        order.push_back(next);
      }
    }
  }
  return order;
}

int openAround(const uint8_t* floor, int at) {
  int open = 0;
  for (int k = 0; k < 4; ++k) open += floor[at + Dx[k] + MapSide * Dy[k]] == TileFloor;
  return open;
}

}  // namespace

bool drawDailyMazeV1(DailyRandom& random, int world, uint8_t* floor, MapCell* start) {
  std::memset(floor, TileOutside, CellsPerFloor);
  Carver carver{random, floor};
  carver.solidBlocks();
  int first = int(random.below(Lattice * Lattice));
  while (carver.marks[first] != Unvisited) first = (first + 1) % (Lattice * Lattice);
  carver.carveFrom(first);
  carver.braid();
  carver.rooms(world);

  // The start is a lattice cell of the maze; floor the rooms left apart from
  // it is walled up again.
  int from = int(random.below(Lattice * Lattice));
  while (carver.marks[from] != Carved) from = (from + 1) % (Lattice * Lattice);
  from = latticeCell(from % Lattice, from / Lattice);
  std::vector<int> distance;
  const std::vector<int> reached = walkFrom(floor, from, distance);
  for (int at = 0; at < CellsPerFloor; ++at) {
    if (floor[at] == TileFloor && distance[size_t(at)] < 0) floor[at] = TileOutside;
  }

  // The goal: a dead end. In world 1, where a statement costs least, it is
  // near the start as the crow flies and far from it along the corridors:
  // waiting, the chara walks the whole way; a player opens the few walls
  // between. Worlds 2 and 3, where statements cost dear, have a short way.
  std::vector<int> ends;
  for (int at : reached) {
    const int along = distance[size_t(at)];
    const int across =
        std::abs(at % MapSide - from % MapSide) + std::abs(at / MapSide - from / MapSide);
    const bool fits =
        world == 1 ? across >= 8 && across <= 14 && along >= 3 * across : along >= 8 && along <= 14;
    if (fits && openAround(floor, at) == 1) ends.push_back(at);
  }
  if (ends.empty()) return false;
  const int goal = ends[random.below(uint32_t(ends.size()))];
  floor[goal] = TileGoal;
  *start = MapCell{uint8_t(from % MapSide), uint8_t(from / MapSide)};

  for (int y = 0; y < MapSide; ++y) {
    for (int x = 0; x < MapSide; ++x) {
      uint8_t& cell = floor[x + MapSide * y];
      if (cell != TileFloor && cell != TileGoal) cell = wallPiece(openSides(floor, x, y));
    }
  }
  return true;
}
