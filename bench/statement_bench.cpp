// Benchmarks of the statement path: cutting a typical statement into tokens,
// running it through the dispatcher, and one command-entry key press with
// its redraw and frame copy, as the player makes them.
#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/application.h"
#include "shell/command_entry.h"
#include "shell/field_view.h"
#include "shell/game_state.h"
#include "shell/keyboard.h"
#include "shell/main_window.h"
#include "shell/new_game.h"
#include "sql/dispatcher.h"
#include "sql/tokenizer.h"

namespace {

constexpr const char* TypicalStatement = "SELECT * FROM party WHERE charaid = 2";
constexpr const char* LongStatement =
    "UPDATE world SET fieldid=10 WHERE worldid=1 AND x=3 AND y=4 AND z=1";

// The form and a game in command entry, made once; the window is headless.
void openCommandEntryOnce() {
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
  openCommandEntry();
}

void BM_TokenizeTypicalStatement(benchmark::State& state) {
  for (auto _ : state) {
    tokenize(TypicalStatement);
    benchmark::DoNotOptimize(tokens);
  }
}
BENCHMARK(BM_TokenizeTypicalStatement)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_TokenizeLongStatement(benchmark::State& state) {
  for (auto _ : state) {
    tokenize(LongStatement);
    benchmark::DoNotOptimize(tokens);
  }
}
BENCHMARK(BM_TokenizeLongStatement)->Repetitions(9)->ReportAggregatesOnly(true);

// A read-only statement, so every run finds the game as the first did.
void BM_ExecuteTypicalStatement(benchmark::State& state) {
  resetAllState();
  std::memcpy(WorldMaps, InitialMaps, sizeof WorldMaps);
  startNewGame();
  for (auto _ : state) {
    executeStatement(TypicalStatement);
    benchmark::DoNotOptimize(StatusText);
  }
}
BENCHMARK(BM_ExecuteTypicalStatement)->Repetitions(9)->ReportAggregatesOnly(true);

// An arrow key on the grid: the cursor rings and the frame copy.
void BM_GridMoveKeyPress(benchmark::State& state) {
  openCommandEntryOnce();
  for (auto _ : state) {
    FormKeyDown(KeyRight);
    benchmark::DoNotOptimize(Form1.Image1.pixels());
  }
}
BENCHMARK(BM_GridMoveKeyPress)->Repetitions(9)->ReportAggregatesOnly(true);

// Space on a letter: the line grows and the strip shows its tail. The line is
// emptied, untimed, before it reaches the picking limit.
void BM_GridPickKeyPress(benchmark::State& state) {
  openCommandEntryOnce();
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
BENCHMARK(BM_GridPickKeyPress)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
