// The yardstick: one plain copy of a whole drawing surface, the least any
// frame can cost. Both benchmark programs run it, so each table has its ratios.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "bench/bench_game.h"

namespace {

void BM_SurfaceMemcpy(benchmark::State& state) {
  std::vector<uint8_t> from(SurfaceBytes, 1), to(SurfaceBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), SurfaceBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SurfaceMemcpy);

}  // namespace
