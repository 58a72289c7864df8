// The planner's model of a game in progress (see model.h).
#include "worlds/planner_model.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "game/movement.h"

namespace planner {

void capture(Snapshot* out) {
  for (int w = 0; w < PlannedWorlds; ++w) {
    std::memcpy(out->maps[w], WorldMaps[w].cells, CellsPerFloor);
    out->authority[w] = Authority[w];
  }
  std::memcpy(out->charas, Charas, sizeof Charas);
  out->leader = LeaderPos;
  out->score = Score;
  out->seedCounter = SeedCounter;
  out->randomState = RandomState;
  out->mode = GameMode;
}

void restore(const Snapshot& in) {
  for (int w = 0; w < PlannedWorlds; ++w) {
    std::memcpy(WorldMaps[w].cells, in.maps[w], CellsPerFloor);
    Authority[w] = in.authority[w];
  }
  std::memcpy(Charas, in.charas, sizeof Charas);
  LeaderPos = in.leader;
  Score = in.score;
  SeedCounter = in.seedCounter;
  RandomState = in.randomState;
  GameMode = in.mode;
}

namespace {

uint64_t fnv(uint64_t h, const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    h ^= bytes[i];
    h *= 0x100000001B3ull;
  }
  return h;
}

struct Cell {
  int x;
  int y;
};

// The goal cell of world 1..3's floor 1 in the worlds played (the first cell
// holding the goal code).
Cell goalOf(int world) {
  for (int i = 0; i < CellsPerFloor; ++i) {
    if (PlayedMaps[world - 1].cells[i] == TileGoal) return Cell{i % MapSide, i / MapSide};
  }
  return Cell{-1, -1};
}

}  // namespace

uint64_t hashOf(const Snapshot& s) {
  uint64_t h = 0xCBF29CE484222325ull;
  h = fnv(h, s.maps, sizeof s.maps);
  h = fnv(h, s.charas, sizeof s.charas);
  h = fnv(h, s.authority, sizeof s.authority);
  h = fnv(h, &s.seedCounter, sizeof s.seedCounter);
  return fnv(h, &s.mode, sizeof s.mode);
}

bool sameGame(const Snapshot& a, const Snapshot& b) {
  return std::memcmp(a.maps, b.maps, sizeof a.maps) == 0 &&
         std::memcmp(a.charas, b.charas, sizeof a.charas) == 0 &&
         std::memcmp(a.authority, b.authority, sizeof a.authority) == 0 &&
         packMapPos(a.leader) == packMapPos(b.leader) && a.score == b.score &&
         a.seedCounter == b.seedCounter && a.mode == b.mode;
}

std::string statementOf(const Action& action) {
  char text[96];
  switch (action.move) {
    case Move::Update:
      std::snprintf(text, sizeof text,
                    "UPDATE world SET fieldid = %d WHERE worldid = %d AND x = %d AND y = %d",
                    action.field, action.world, action.x, action.y);
      return text;
    case Move::Grant:
      std::snprintf(text, sizeof text, "GRANT UPDATE ON world%d TO player", action.world);
      return text;
    case Move::Step:
      break;
  }
  return "";
}

bool walkable(uint8_t code) { return tilePassability(code) != PassBlocked; }

bool openable(const Snapshot& s, int world, int x, int y) {
  if (x < 1 || y < 1 || x > MapSide - 2 || y > MapSide - 2) return false;
  const uint8_t code = s.maps[world - 1][x + MapSide * y];
  return code != 0 && code != TileGoal;
}

void distanceField(const Snapshot& s, int world, const Costs& costs, Field out) {
  // Dial's algorithm: step costs are small whole numbers, so a ring of
  // buckets replaces the priority queue.
  constexpr int Ring = 32;
  static std::vector<int> buckets[Ring];
  for (auto& b : buckets) b.clear();
  for (int i = 0; i < CellsPerFloor; ++i) out[i] = Unreachable;
  const Cell goal = goalOf(world);
  if (goal.x < 0) return;  // no goal: nothing is near it
  const uint8_t* map = s.maps[world - 1];
  out[goal.x + MapSide * goal.y] = 0;
  buckets[0].push_back(goal.x + MapSide * goal.y);
  int pending = 1;
  for (int d = 0; pending > 0; ++d) {
    std::vector<int>& bucket = buckets[d % Ring];
    for (size_t k = 0; k < bucket.size(); ++k) {
      const int cell = bucket[k];
      --pending;
      if (out[cell] != d) continue;
      const int cx = cell % MapSide, cy = cell / MapSide;
      // The cost of a move from a neighbour onto `cell`.
      const int enter = walkable(map[cell]) ? costs.floorStep : costs.floorStep + costs.wallExtra;
      if (!walkable(map[cell]) && !openable(s, world, cx, cy)) continue;
      constexpr int Dx[4] = {0, 0, -1, 1}, Dy[4] = {-1, 1, 0, 0};
      for (int k2 = 0; k2 < 4; ++k2) {
        const int nx = cx + Dx[k2], ny = cy + Dy[k2];
        if (nx < 0 || ny < 0 || nx >= MapSide || ny >= MapSide) continue;
        const int n = nx + MapSide * ny;
        if (!walkable(map[n]) && !openable(s, world, nx, ny)) continue;
        if (d + enter < out[n]) {
          out[n] = uint16_t(d + enter);
          buckets[(d + enter) % Ring].push_back(n);
          ++pending;
        }
      }
    }
    bucket.clear();
  }
}

}  // namespace planner
