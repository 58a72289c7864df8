// Benchmark of one turn of the world on a new game: authority drift and the
// three charas' moves on the built-in maps.
#include <benchmark/benchmark.h>

#include <cstring>

#include "shell/game_state.h"
#include "shell/movement.h"
#include "shell/new_game.h"

namespace {

// The charas drift away from the start and, given long enough, arrive and
// stop moving; the game is begun afresh every 64 turns so that each measured
// turn is an early one with all three still walking.
constexpr int TurnsPerGame = 64;

void startFreshGame() {
  resetAllState();
  std::memcpy(WorldMaps, InitialMaps, sizeof WorldMaps);
  Score = 5000;
  startNewGame();
  GameMode = ModeField;
}

void BM_RunTurnOnNewGame(benchmark::State& state) {
  startFreshGame();
  int turns = 0;
  for (auto _ : state) {
    runTurn();
    benchmark::DoNotOptimize(Charas);
    if (++turns == TurnsPerGame) {
      state.PauseTiming();
      startFreshGame();
      turns = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_RunTurnOnNewGame)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
