// Benchmarks of command entry as the player makes it: one key press on the
// character grid with its redraw and frame copy.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/bench_game.h"
#include "game/game_state.h"
#include "ui/command_entry.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

using enum platform::KeyCode;

namespace {

// The form and a game in command entry; the window is headless.
void openCommandEntryGame() {
  startFormGame();
  openCommandEntry();
}

// An arrow key on the grid: the cursor rings and the frame copy.
void BM_GridMoveKeyPress(benchmark::State& state) {
  openCommandEntryGame();
  for (auto _ : state) {
    FormKeyDown(KeyRight);
    benchmark::DoNotOptimize(Form1.Image1.pixels());
  }
}
BENCHMARK(BM_GridMoveKeyPress);

// Space on a letter: the line grows and the strip shows its tail. The line is
// emptied, untimed, before it reaches the picking limit.
void BM_GridPickKeyPress(benchmark::State& state) {
  openCommandEntryGame();
  CursorCol = 5;
  CursorRow = 1;
  for (auto _ : state) {
    if (CommandLength >= PickLimit) {
      state.PauseTiming();
      std::memset(CommandLine, 0, sizeof CommandLine);
      CommandLength = 0;
      state.ResumeTiming();
    }
    FormKeyDown(KeySpace);
    benchmark::DoNotOptimize(Form1.Image1.pixels());
  }
}
BENCHMARK(BM_GridPickKeyPress);

}  // namespace
