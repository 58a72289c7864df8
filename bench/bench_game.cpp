// The benchmarks' games (see bench_game.h).
#include "bench/bench_game.h"

#include <cstring>

#include "game/game_state.h"
#include "game/new_game.h"
#include "platform/application.h"
#include "ui/field_view.h"
#include "ui/main_window.h"

void startRecordsOnlyGame() {
  resetAllState();
  std::memcpy(WorldMaps, InitialMaps, sizeof WorldMaps);
  Score = 5000;
  startNewGame();
  GameMode = ModeField;
}

void startFormGame() {
  static bool ready = false;
  if (!ready) {
    platform::Application.initialize(platform::Backend::Headless);
    loadFormResources();
    ready = true;
  }
  resetAllState();
  FormCreate();
  startNewGame();
  enterField();
}
