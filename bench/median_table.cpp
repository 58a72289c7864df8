// The benchmark program's entry point: runs the benchmarks as usual, then
// prints their medians as a Markdown table with each one's ratio to the
// plain copy of a whole surface (BM_SurfaceMemcpy), the yardstick of
// docs/performance.md. Run with --benchmark_repetitions=N for medians of N.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr char Yardstick[] = "BM_SurfaceMemcpy";

struct Row {
  double realNs = 0;
  double cpuNs = 0;
  bool median = false;     // from the median of repetitions, not one run
  bool wallClock = false;  // timed on the wall clock (another process ran)
  benchmark::UserCounters counters;
};

double nanoseconds(double value, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kSecond:
      return value * 1e9;
    case benchmark::kMillisecond:
      return value * 1e6;
    case benchmark::kMicrosecond:
      return value * 1e3;
    default:
      return value;
  }
}

std::string readable(double ns) {
  char text[32];
  if (ns >= 1e6) {
    std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
  } else if (ns >= 1e3) {
    std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.0f ns", ns);
  }
  return text;
}

// Shows the runs as the console does, and keeps one row per benchmark: its
// median when repetitions were asked for, else its one run.
class MedianTable : public benchmark::ConsoleReporter {
 public:
  MedianTable() : ConsoleReporter(isatty(1) ? OO_Color : OO_None) {}

  void ReportRuns(const std::vector<Run>& reports) override {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      const std::string name = run.run_name.str();
      auto found = rows_.find(name);
      if (found != rows_.end() && found->second.median && !median) continue;
      if (found == rows_.end()) order_.push_back(name);
      Row& row = rows_[name];
      row.realNs = nanoseconds(run.GetAdjustedRealTime(), run.time_unit);
      row.cpuNs = nanoseconds(run.GetAdjustedCPUTime(), run.time_unit);
      row.median = median;
      row.wallClock = name.find("real_time") != std::string::npos;
      row.counters = run.counters;
    }
  }

  void printTable() const {
    const Row* yardstick = nullptr;
    for (const auto& [name, row] : rows_) {
      if (name.rfind(Yardstick, 0) == 0) yardstick = &row;
    }
    std::printf(
        "\n| benchmark | median wall | median CPU | wall / memcpy | CPU / memcpy | counters |\n");
    std::printf("|---|---:|---:|---:|---:|---|\n");
    for (const std::string& name : order_) {
      const Row& row = rows_.at(name);
      std::string realRatio = "-", cpuRatio = "-";
      char text[32];
      if (yardstick) {
        std::snprintf(text, sizeof text, "%.3g", row.realNs / yardstick->realNs);
        realRatio = text;
        if (!row.wallClock) {
          std::snprintf(text, sizeof text, "%.3g", row.cpuNs / yardstick->cpuNs);
          cpuRatio = text;
        }
      }
      std::string counters;
      for (const auto& [key, counter] : row.counters) {
        std::snprintf(text, sizeof text, "%.4g", counter.value);
        counters += (counters.empty() ? "" : ", ") + key + "=" + text;
      }
      std::printf("| %s | %s | %s | %s | %s | %s |\n", name.c_str(), readable(row.realNs).c_str(),
                  row.wallClock ? "-" : readable(row.cpuNs).c_str(), realRatio.c_str(),
                  cpuRatio.c_str(), counters.c_str());
    }
    if (!yardstick) std::printf("(no %s run: ratios left out)\n", Yardstick);
  }

 private:
  std::map<std::string, Row> rows_;
  std::vector<std::string> order_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  MedianTable table;
  benchmark::RunSpecifiedBenchmarks(&table);
  table.printTable();
  benchmark::Shutdown();
  return 0;
}
