// Collecting a script's keys by playing it: where `type` walks depends on
// the cursor and the mode the game is in, so only playing knows the keys.
// Nothing is drawn, and what `state` and `map` print goes nowhere, so the
// link is the only thing the program prints.
#include "headless/script_keys.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

#include "headless/headless_script.h"
#include "headless/script_lines.h"
#include "ui/session.h"

namespace headless {
namespace {

void collectKey(uint16_t key) { Session.script.collected->push_back(uint8_t(key)); }

// The number of the first screenshot line, or 0: each line read as the
// runner reads it.
int screenshotLine(std::string_view script) {
  int number = 0;
  while (!script.empty()) {
    ++number;
    const size_t end = std::min(script.find('\n'), script.size());
    if (readScriptLine(script.substr(0, end), number).name == "screenshot") return number;
    script.remove_prefix(std::min(end + 1, script.size()));
  }
  return 0;
}

// Points standard output at /dev/null until it is restored.
class MutedOutput {
 public:
  MutedOutput() {
    std::fflush(stdout);
    saved_ = ::dup(STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) {
      ::dup2(null, STDOUT_FILENO);
      ::close(null);
    }
  }
  ~MutedOutput() {
    std::fflush(stdout);
    if (saved_ >= 0) {
      ::dup2(saved_, STDOUT_FILENO);
      ::close(saved_);
    }
  }

 private:
  int saved_ = -1;
};

}  // namespace

ExitStatus collectScriptKeys(std::string_view script, std::vector<uint8_t>* keys) {
  if (const int line = screenshotLine(script); line != 0) {
    std::fprintf(stderr, "script:%d: a replay holds only keys: remove the screenshot lines\n",
                 line);
    return ExitRefused;
  }
  keys->clear();
  Session.script.collected = keys;
  ExitStatus status = ExitOk;
  {
    MutedOutput muted;
    std::istringstream lines{std::string(script)};
    status = runScript(lines, KeyWatcher{collectKey, nullptr});
  }
  Session.script.collected = nullptr;
  return status;
}

}  // namespace headless
