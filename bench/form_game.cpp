// The benchmarks' game on the headless form (see bench_game.h).
#include "bench/bench_game.h"
#include "game/game_state.h"
#include "game/new_game.h"
#include "ui/field_view.h"
#include "ui/form_start.h"

void startFormGame() {
  static bool started = false;
  if (!started) {
    startForm(FormStart{});
    started = true;
  }
  restartForm();
  startNewGame();
  enterField();
}
