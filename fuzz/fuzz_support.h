// What both fuzz targets share: stopping the run the moment a statement or
// key press writes a map cell it does not name or a record breaks one of its
// invariants. Records only: the statement target links the rules library alone.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/game_state.h"
#include "tests/support/invariants.h"

// Remembers the working maps before a statement or key press.
inline WorldMap mapsBefore[WorldCount];
inline void rememberMaps() { std::memcpy(mapsBefore, WorldMaps, sizeof mapsBefore); }
// A statement changes at most one map cell, always on floor 1, and every
// form that changes one leaves the leader on that cell's column and row (in
// the leader's own world). Aborts, saying after `what`, when a key press or
// statement since rememberMaps broke that: a write that missed its cell.
inline void requireOneCellChange(const char* what) {
  int changed = 0;
  for (int w = 0; w < WorldCount; ++w) {
    if (std::memcmp(mapsBefore[w].cells, WorldMaps[w].cells, CellsPerWorld) == 0) continue;
    for (int i = 0; i < CellsPerWorld; ++i) {
      if (mapsBefore[w].cells[i] == WorldMaps[w].cells[i]) continue;
      const int x = i % MapSide, y = i / MapSide % MapSide, floor = i / CellsPerFloor + 1;
      ++changed;
      if (changed > 1 || floor != 1 || LeaderPos.x != x || LeaderPos.y != y) {
        std::fprintf(stderr,
                     "after %s: world %d floor %d cell (%d, %d) changed from %d to %d "
                     "(change %d) with the leader at (%d, %d)\n",
                     what, w + 1, floor, x, y, mapsBefore[w].cells[i], WorldMaps[w].cells[i],
                     changed, LeaderPos.x, LeaderPos.y);
        std::abort();
      }
    }
  }
}

// Checks the invariants; on a broken one prints what broke and `what` was
// just done, then aborts so that the fuzzer keeps the input.
inline void requireInvariants(const char* what) {
  std::string why;
  if (checkInvariants(&why)) return;
  std::fprintf(stderr, "broken invariant after %s: %s\n", what, why.c_str());
  std::abort();
}
