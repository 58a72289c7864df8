// Reading velmora's command line the way GNU programs do: long options that
// may be shortened, --name=VALUE or --name VALUE, "--" to end the options,
// and -h, -V as short forms of --help and --version.
#include "app/options.h"

#include <cstring>
#include <string_view>

namespace {

// What --help prints after the usage lines.
constexpr char HelpBody[] =
    "\n"
    "Velmora Keep 03: a keyboard-only role-playing game whose world is a small\n"
    "database changed with SQL statements.\n"
    "\n"
    "Options:\n"
    "  --scale N          enlarge the window by whole pixels, N from 1 to 4 (default 1);\n"
    "                     with --fullscreen, the largest enlargement allowed\n"
    "  --fullscreen       fill the screen: the picture enlarged by the largest whole\n"
    "                     factor that fits, centred on black\n"
    "  --record FILE      write every key press of the window to FILE as a script\n"
    "  --headless [SCRIPT]\n"
    "                     play without a window, reading script commands from SCRIPT\n"
    "                     (or standard input when SCRIPT is absent or -)\n"
    "  --summary          with --headless: after the script, print one line such as\n"
    "                     'won score=4321 turns=679 statements=212'\n"
    "  -h, --help         print this help and exit\n"
    "  -V, --version      print the version and exit\n"
    "\n"
    "Script commands (one a line; blank lines and lines starting with # are skipped):\n"
    "  key NAME...        press keys: Up Down Left Right Enter Space Tab or a code 1-255\n"
    "  state              print the game state as one line of JSON\n"
    "  map W F            print floor F of world W's map, 32 lines of 32 characters\n"
    "  screenshot FILE    write what the player sees as a PNG\n"
    "  type TEXT          in command entry: pick each character of TEXT on the grid\n"
    "  submit             in command entry: submit the statement\n"
    "\n"
    "Exit status: 0 when the game or script ends normally, 1 when there is no\n"
    "display or a headless run cannot start, 2 for a bad option or a bad script\n"
    "line.\n"
    "\n"
    "The full manual is velmora(6); the players' guide tells how to play.";

constexpr int MinScale = 1;
constexpr int MaxScale = 4;

enum OptionId { OptHelp, OptVersion, OptScale, OptFullscreen, OptRecord, OptHeadless, OptSummary };
enum ArgumentKind { NoArgument, RequiredArgument, OptionalArgument };

struct LongOption {
  const char* name;
  OptionId id;
  ArgumentKind argument;
};

// --headless takes its script only as --headless=SCRIPT; "--headless SCRIPT"
// works too because the script is then the one word that is no option.
constexpr LongOption LongOptions[] = {
    {"help", OptHelp, NoArgument},           {"version", OptVersion, NoArgument},
    {"scale", OptScale, RequiredArgument},   {"fullscreen", OptFullscreen, NoArgument},
    {"record", OptRecord, RequiredArgument}, {"headless", OptHeadless, OptionalArgument},
    {"summary", OptSummary, NoArgument},
};

// Reads a whole decimal number in [MinScale, MaxScale].
bool parseScale(const char* text, int* scale) {
  if (std::strlen(text) != 1 || text[0] < '0' + MinScale || text[0] > '0' + MaxScale) {
    return false;
  }
  *scale = text[0] - '0';
  return true;
}

// Finds the option `name` names exactly, or else the only one it begins.
// Returns null and sets *error when there is none or more than one.
const LongOption* findLongOption(std::string_view name, std::string* error) {
  const LongOption* found = nullptr;
  int prefixMatches = 0;
  for (const LongOption& option : LongOptions) {
    if (name == option.name) return &option;
    if (!name.empty() && std::string_view(option.name).substr(0, name.size()) == name) {
      found = &option;
      ++prefixMatches;
    }
  }
  if (prefixMatches == 1) return found;
  std::string spelled = "--" + std::string(name);
  *error = prefixMatches == 0 ? "unknown option " + spelled : "ambiguous option " + spelled;
  return nullptr;
}

// Carries out one option with its value (null when it has none).
bool applyOption(OptionId id, const char* value, Options* options, std::string* error) {
  switch (id) {
    case OptHelp:
      options->showHelp = true;
      break;
    case OptVersion:
      options->showVersion = true;
      break;
    case OptScale:
      if (!parseScale(value, &options->scale)) {
        *error = std::string("--scale ") + value + ": not a number from 1 to 4";
        return false;
      }
      options->scaleGiven = true;
      break;
    case OptFullscreen:
      options->fullscreen = true;
      break;
    case OptRecord:
      if (value[0] == '\0') {
        *error = "--record needs a file name";
        return false;
      }
      options->recordPath = value;
      break;
    case OptHeadless:
      options->headless = true;
      if (value != nullptr) options->scriptPath = value;
      break;
    case OptSummary:
      options->summary = true;
      break;
  }
  return true;
}

// The rules between options, once all are read.
bool checkCombination(const Options& options, std::string* error) {
  // Only the window's keys are recorded; a script is its own record.
  if (options.headless && !options.recordPath.empty()) {
    *error = "--record works only with the window, not with --headless";
    return false;
  }
  if (options.summary && !options.headless) {
    *error = "--summary works only with --headless";
    return false;
  }
  return true;
}

}  // namespace

const char* const VersionLine = "velmora (Velmora Keep 03) " VELMORA_VERSION;

std::string helpText() { return std::string(UsageLine) + "\n" + HelpBody; }

bool parseOptions(int argc, const char* const* argv, Options* options, std::string* error) {
  bool optionsEnded = false;
  // The script may stand before --headless, so it is checked at the end.
  const char* operand = nullptr;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
      if (operand != nullptr) {
        *error = "only one script can be replayed at a time";
        return false;
      }
      operand = arg;
      continue;
    }
    if (std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
      continue;
    }
    if (arg[1] != '-') {
      // Short options, which may be run together (-hV).
      for (const char* c = arg + 1; *c; ++c) {
        if (*c == 'h') {
          options->showHelp = true;
        } else if (*c == 'V') {
          options->showVersion = true;
        } else {
          *error = std::string("unknown option -") + *c;
          return false;
        }
      }
      if (options->showHelp || options->showVersion) return true;
      continue;
    }
    std::string_view body(arg + 2);
    size_t equals = body.find('=');
    std::string_view name = body.substr(0, equals);
    const LongOption* option = findLongOption(name, error);
    if (option == nullptr) return false;
    const std::string spelled = std::string("--") + option->name;
    const char* value = equals == std::string_view::npos ? nullptr : arg + 2 + equals + 1;
    if (option->argument == NoArgument && value != nullptr) {
      *error = spelled + " takes no value";
      return false;
    }
    if (option->argument == RequiredArgument && value == nullptr) {
      if (i + 1 >= argc) {
        *error = spelled +
                 (option->id == OptScale ? " needs a number from 1 to 4" : " needs a file name");
        return false;
      }
      value = argv[++i];
    }
    if (!applyOption(option->id, value, options, error)) return false;
    if (options->showHelp || options->showVersion) return true;
  }
  if (operand != nullptr) {
    if (!options->headless) {
      *error = std::string("unexpected argument ") + operand;
      return false;
    }
    if (!options->scriptPath.empty()) {
      *error = "only one script can be replayed at a time";
      return false;
    }
    options->scriptPath = operand;
  }
  return checkCombination(*options, error);
}
