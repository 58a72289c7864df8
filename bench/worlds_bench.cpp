// Benchmarks of world files on the built-in one: reading and checking it as
// --check-worlds does before its waiting game (read, identity, the three
// charas' ways to their goals), which must stay under 1 ms, and the waiting
// game itself (5000 turns on the game's own turn code), under 50 ms.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "worlds/installed_worlds.h"
#include "worlds/world_check.h"
#include "worlds/world_identity.h"
#include "worlds/world_reader.h"

namespace {

std::string builtInText() {
  std::ifstream in(VELMORA_SOURCE_DIR "/assets/worlds/velmora.worlds", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void BM_ReadAndCheckBuiltInWorlds(benchmark::State& state) {
  const std::string text = builtInText();
  WorldFile file;
  WorldFileError error;
  for (auto _ : state) {
    if (!readWorldFile("velmora.worlds", text, &file, &error)) state.SkipWithError("refused");
    benchmark::DoNotOptimize(worldsIdentity(file));
    for (int w = 1; w <= CharaWorlds; ++w) benchmark::DoNotOptimize(checkReach(file, w));
  }
}
BENCHMARK(BM_ReadAndCheckBuiltInWorlds)->Unit(benchmark::kMicrosecond);

void BM_WaitingGameOnBuiltInWorlds(benchmark::State& state) {
  const WorldFile file = builtInWorldFile();
  for (auto _ : state) benchmark::DoNotOptimize(playWaitingGame(file));
}
BENCHMARK(BM_WaitingGameOnBuiltInWorlds)->Unit(benchmark::kMillisecond);

}  // namespace
