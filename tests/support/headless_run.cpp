// Running the velmora program on a script (see headless_run.h).
#include "tests/support/headless_run.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "";
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string scratchFolder(const char* name) {
  std::string pattern = std::string("/tmp/velmora-") + name + "-XXXXXX";
  return mkdtemp(pattern.data()) != nullptr ? pattern : "";
}

HeadlessRun runVelmora(const std::string& args, const std::string& script,
                       const RunSettings& settings) {
  HeadlessRun run;
  const std::string dir = scratchFolder("run");
  if (dir.empty()) {
    run.err = "cannot make a scratch directory";
    return run;
  }
  const std::string scriptPath = dir + "/script";
  std::ofstream(scriptPath, std::ios::binary) << script;

  std::string arguments = args;
  for (size_t at = arguments.find("{script}"); at != std::string::npos;
       at = arguments.find("{script}", at)) {
    arguments.replace(at, 8, "'" + scriptPath + "'");
  }
  const std::string input = settings.scriptOnStdin ? scriptPath : "/dev/null";
  const std::string command = settings.prefix + " '" + VELMORA_EXECUTABLE + "' " + arguments +
                              " < '" + input + "' > '" + dir + "/out' 2> '" + dir + "/err'";
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = readFile(dir + "/out");
  run.err = readFile(dir + "/err");
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return run;
}

std::string sourceFile(const std::string& relative) {
  return readFile(std::string(VELMORA_SOURCE_DIR) + "/" + relative);
}
