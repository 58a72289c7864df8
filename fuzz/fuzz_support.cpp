// Shared set-up and the invariant gate of the fuzz targets.
#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/application.h"
#include "shell/game_state.h"
#include "shell/main_window.h"
#include "shell/new_game.h"
#include "tests/support/invariants.h"

void prepareFuzzForm() {
  static bool prepared = false;
  if (prepared) return;
  platform::Application.initialize(platform::Backend::Headless);
  loadFormResources();
  resetAllState();
  FormCreate();
  prepared = true;
}

void freshTitle() {
  resetAllState();
  showTitle();
}

void freshGameRecords() {
  // The title's once-per-run resets without drawing the title picture: the
  // statement target runs many inputs a second and draws nothing else.
  resetAllState();
  setStatus(GameTitleText);
  std::memcpy(WorldMaps, InitialMaps, sizeof WorldMaps);
  Score = 5000;
  PrevCursorCol = 1;
  startNewGame();
  GameMode = ModeField;
}

namespace {
WorldMap mapsBefore[WorldCount];
}  // namespace

void rememberMaps() { std::memcpy(mapsBefore, WorldMaps, sizeof mapsBefore); }

void requireOneCellChange(const char* what) {
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

void requireInvariants(const char* what) {
  std::string why;
  if (checkInvariants(&why)) return;
  std::fprintf(stderr, "broken invariant after %s: %s\n", what, why.c_str());
  std::abort();
}
