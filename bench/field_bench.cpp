// Benchmarks of the field: one arrow key as the player presses it (step, turn,
// full redraw, frame copy) against one plain copy of a whole surface, and the
// form's creation up to its first presented frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "bench/bench_game.h"
#include "game/game_state.h"
#include "ui/form_start.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

using enum platform::KeyCode;

namespace {

// A game is begun afresh this often, so that every measured key is a step of
// a game in play (all charas walking, not yet won).
constexpr int KeysPerGame = 1000;

// Right and Left in turn: from the start cell both are open, so the leader
// really walks and the view really scrolls.
struct Walker {
  int presses = 0;
  void press() {
    FormKeyDown(presses % 2 == 0 ? KeyRight : KeyLeft);
    ++presses;
  }
};

void BM_FieldKeyPress(benchmark::State& state) {
  startFormGame();
  Walker walker;
  for (auto _ : state) {
    walker.press();
    benchmark::DoNotOptimize(Form1.Image1.pixels());
    if (walker.presses % KeysPerGame == 0) {
      state.PauseTiming();
      startFormGame();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_FieldKeyPress);

// In-process start-up after the one-time loading of pictures and fonts:
// every record back to its start, the form's surfaces made and the title
// drawn and presented, as FormCreate does once per run.
void BM_FormCreateToFirstFrame(benchmark::State& state) {
  startFormGame();
  for (auto _ : state) {
    restartForm();
    benchmark::DoNotOptimize(Form1.Image1.pixels());
  }
}
BENCHMARK(BM_FormCreateToFirstFrame)->Unit(benchmark::kMicrosecond);

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The two measured side by side in one run, so that the ratio compares like
// with like on a shared machine: key_ns and memcpy_ns are medians of single
// timings, ratio is key over memcpy (the aim is at most 3).
void BM_FieldKeyPressOverMemcpy(benchmark::State& state) {
  constexpr int Samples = 501;
  std::vector<uint8_t> from(SurfaceBytes, 1), to(SurfaceBytes);
  std::vector<double> keyTimes, copyTimes;
  for (auto _ : state) {
    startFormGame();
    Walker walker;
    keyTimes.clear();
    copyTimes.clear();
    for (int i = 0; i < Samples; ++i) {
      auto t0 = std::chrono::steady_clock::now();
      walker.press();
      auto t1 = std::chrono::steady_clock::now();
      std::memcpy(to.data(), from.data(), SurfaceBytes);
      benchmark::DoNotOptimize(to.data());
      benchmark::ClobberMemory();
      auto t2 = std::chrono::steady_clock::now();
      keyTimes.push_back(std::chrono::duration<double, std::nano>(t1 - t0).count());
      copyTimes.push_back(std::chrono::duration<double, std::nano>(t2 - t1).count());
    }
  }
  double key = median(keyTimes);
  double copy = median(copyTimes);
  state.counters["key_ns"] = key;
  state.counters["memcpy_ns"] = copy;
  state.counters["ratio"] = key / copy;
}
BENCHMARK(BM_FieldKeyPressOverMemcpy)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
