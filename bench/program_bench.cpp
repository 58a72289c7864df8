// Benchmarks of the velmora program as a whole, each run a new process:
// start-up to the first presented frame and exit, and a whole recorded game
// replayed headless.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

extern char** environ;

namespace {

// The velmora program beside this benchmark's own directory in the build.
std::string velmoraPath() {
  char self[4096] = {};
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, n > 0 ? size_t(n) : 0);
  path = path.substr(0, path.rfind('/'));
  return path.substr(0, path.rfind('/')) + "/velmora";
}

// Runs `velmora --headless script` with its output thrown away. Returns
// false (and says why on `state`) when it cannot start or fails.
bool runHeadless(benchmark::State& state, const std::string& exe, const std::string& script) {
  char arg0[] = "velmora", arg1[] = "--headless";
  std::string scriptArg = script;
  char* argv[] = {arg0, arg1, scriptArg.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, exe.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    state.SkipWithError(("cannot start " + exe).c_str());
    return false;
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    state.SkipWithError(("velmora --headless " + script + " failed").c_str());
    return false;
  }
  return true;
}

// Whole runs of `velmora --headless /dev/null`: start, pictures and fonts,
// form and title presented, exit. The aim is a median under 50 ms.
void BM_HeadlessStartUp(benchmark::State& state) {
  const std::string exe = velmoraPath();
  for (auto _ : state) {
    if (!runHeadless(state, exe, "/dev/null")) break;
  }
}
BENCHMARK(BM_HeadlessStartUp)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The recorded winning game (VELMORA_REPLAY_SCRIPT names another script):
// every key of it through the form, start-up and exit included.
void BM_ReplayWinningGame(benchmark::State& state) {
  const char* chosen = std::getenv("VELMORA_REPLAY_SCRIPT");
  const std::string script =
      chosen ? chosen : std::string(VELMORA_SOURCE_DIR) + "/tests/scripts/winning_game.txt";
  std::ifstream in(script);
  if (!in) {
    state.SkipWithError(("no script " + script).c_str());
    return;
  }
  int lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  const std::string exe = velmoraPath();
  for (auto _ : state) {
    if (!runHeadless(state, exe, script)) break;
  }
  state.counters["script_lines"] = lines;
}
BENCHMARK(BM_ReplayWinningGame)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
