// Running the velmora program headless on a script (see headless_run.h).
#include "tests/support/headless_run.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "";
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

HeadlessRun runHeadless(const std::string& script) {
  char pattern[] = "/tmp/velmora-run-XXXXXX";
  HeadlessRun run;
  if (mkdtemp(pattern) == nullptr) {
    run.err = "cannot make a scratch directory";
    return run;
  }
  const std::string dir = pattern;
  std::ofstream(dir + "/script", std::ios::binary) << script;
  const std::string command = std::string("'") + VELMORA_EXECUTABLE + "' --headless '" + dir +
                              "/script' > '" + dir + "/out' 2> '" + dir + "/err'";
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = readAll(dir + "/out");
  run.err = readAll(dir + "/err");
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line.front() != '{') continue;
    run.states.push_back(nlohmann::json::parse(line, nullptr, false));
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return run;
}

std::string sourceFile(const std::string& relative) {
  return readAll(std::string(VELMORA_SOURCE_DIR) + "/" + relative);
}
