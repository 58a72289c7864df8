// The benchmarks' game on the headless form (see bench_game.h).
#include "bench/bench_game.h"
#include "game/game_state.h"
#include "game/new_game.h"
#include "platform/application.h"
#include "ui/field_view.h"
#include "ui/main_window.h"

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
