// Shared set-up and the invariant gate of the fuzz targets.
#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
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

bool tracing() {
  static const bool on = std::getenv("VELMORA_FUZZ_TRACE") != nullptr;
  return on;
}

void requireInvariants(const char* what) {
  std::string why;
  if (checkInvariants(&why)) return;
  std::fprintf(stderr, "broken invariant after %s: %s\n", what, why.c_str());
  std::abort();
}
