// Benchmarks of the field: one arrow key as the player presses it (step, turn,
// full redraw, frame copy) against one plain copy of a whole surface, and the
// headless start-up of the velmora program up to its first presented frame.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "platform/application.h"
#include "shell/field_view.h"
#include "shell/game_state.h"
#include "shell/keyboard.h"
#include "shell/main_window.h"
#include "shell/new_game.h"

extern char** environ;

namespace {

// The surface as the window's metrics make it: 584 x 491 pixels of 4 bytes.
constexpr size_t SurfaceBytes = 584 * 491 * 4;
// A game is begun afresh this often, so that every measured key is a step of
// a game in play (all charas walking, not yet won).
constexpr int KeysPerGame = 1000;

void startGame() {
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
  startGame();
  Walker walker;
  for (auto _ : state) {
    walker.press();
    benchmark::DoNotOptimize(Form1.Image1.pixels());
    if (walker.presses % KeysPerGame == 0) {
      state.PauseTiming();
      startGame();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_FieldKeyPress)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SurfaceMemcpy(benchmark::State& state) {
  std::vector<uint8_t> from(SurfaceBytes, 1), to(SurfaceBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), SurfaceBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SurfaceMemcpy)->Repetitions(5)->ReportAggregatesOnly(true);

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
    startGame();
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

// The velmora program beside this benchmark's own directory in the build.
std::string velmoraPath() {
  char self[4096] = {};
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, n > 0 ? size_t(n) : 0);
  path = path.substr(0, path.rfind('/'));
  return path.substr(0, path.rfind('/')) + "/velmora";
}

// Whole runs of `velmora --headless /dev/null`: start, form, title, exit.
// The aim is a median under 50 ms.
void BM_HeadlessStartUp(benchmark::State& state) {
  std::string exe = velmoraPath();
  char arg0[] = "velmora", arg1[] = "--headless", arg2[] = "/dev/null";
  char* argv[] = {arg0, arg1, arg2, nullptr};
  for (auto _ : state) {
    pid_t child = 0;
    if (posix_spawn(&child, exe.c_str(), nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError(("cannot start " + exe).c_str());
      break;
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("velmora --headless /dev/null failed");
      break;
    }
  }
}
BENCHMARK(BM_HeadlessStartUp)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
