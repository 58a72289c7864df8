// Benchmark of making the day's world, checks included (each candidate's
// reach and waiting game): a day found by its first candidate and the day of
// 2026 that needed the most (forty); both must stay under 200 ms.
#include <benchmark/benchmark.h>

#include "worlds/daily_world.h"

namespace {

void BM_MakeDailyWorld(benchmark::State& state, const char* text) {
  CalendarDate date;
  if (!parseCalendarDate(text, &date)) state.SkipWithError("not a date");
  for (auto _ : state) {
    const DailyWorld day = makeDailyWorld(date);
    benchmark::DoNotOptimize(day.file.maps);
  }
}
BENCHMARK_CAPTURE(BM_MakeDailyWorld, firstCandidate, "2026-12-07")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MakeDailyWorld, mostCandidates, "2026-01-13")->Unit(benchmark::kMillisecond);

}  // namespace
