// The benchmarks' games (see bench_game.h).
#include "bench/bench_game.h"

#include <cstring>

#include "platform/application.h"
#include "shell/field_view.h"
#include "shell/game_state.h"
#include "shell/main_window.h"
#include "shell/new_game.h"

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
