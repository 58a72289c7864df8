// Benchmark of one turn of the world on a new game: authority drift and the
// three charas' moves on the built-in maps.
#include <benchmark/benchmark.h>

#include "bench/bench_game.h"
#include "game/game_state.h"
#include "game/movement.h"

namespace {

// The charas drift away from the start and, given long enough, arrive and
// stop moving; the game is begun afresh every 64 turns so that each measured
// turn is an early one with all three still walking.
constexpr int TurnsPerGame = 64;

void BM_RunTurnOnNewGame(benchmark::State& state) {
  startRecordsOnlyGame();
  int turns = 0;
  for (auto _ : state) {
    runTurn();
    benchmark::DoNotOptimize(Charas);
    if (++turns == TurnsPerGame) {
      state.PauseTiming();
      startRecordsOnlyGame();
      turns = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_RunTurnOnNewGame);

}  // namespace
