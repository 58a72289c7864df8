// The benchmarks' game of records alone (see bench_game.h).
#include "bench/bench_game.h"

#include "game/game_state.h"
#include "game/new_game.h"

void startRecordsOnlyGame() {
  resetAllState();
  resetForRun();
  startNewGame();
}
