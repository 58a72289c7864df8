// Reading velmora's command line.
#include "shell/options.h"

#include <cstring>

namespace {

constexpr int MinScale = 1;
constexpr int MaxScale = 4;

// Reads a whole decimal number in [MinScale, MaxScale].
bool parseScale(const char* text, int* scale) {
  if (std::strlen(text) != 1 || text[0] < '0' + MinScale || text[0] > '0' + MaxScale) {
    return false;
  }
  *scale = text[0] - '0';
  return true;
}

}  // namespace

bool parseOptions(int argc, const char* const* argv, Options* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      options->showHelp = true;
    } else if (std::strcmp(arg, "--scale") == 0 || std::strncmp(arg, "--scale=", 8) == 0) {
      const char* value = arg[7] == '=' ? arg + 8 : (i + 1 < argc ? argv[++i] : nullptr);
      if (value == nullptr) {
        *error = "--scale needs a number from 1 to 4";
        return false;
      }
      if (!parseScale(value, &options->scale)) {
        *error = std::string("--scale ") + value + ": not a number from 1 to 4";
        return false;
      }
    } else if (std::strcmp(arg, "--record") == 0) {
      if (i + 1 >= argc) {
        *error = "--record needs a file name";
        return false;
      }
      options->recordPath = argv[++i];
    } else if (std::strcmp(arg, "--headless") == 0) {
      options->headless = true;
      // The script is optional: a following word that is no option names it.
      if (i + 1 < argc && (std::strncmp(argv[i + 1], "--", 2) != 0)) {
        options->scriptPath = argv[++i];
      }
    } else {
      *error = std::string("unknown option ") + arg;
      return false;
    }
  }
  // Only the window's keys are recorded; a script is its own record.
  if (options->headless && !options->recordPath.empty()) {
    *error = "--record works only with the window, not with --headless";
    return false;
  }
  return true;
}
