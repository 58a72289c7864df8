// The command line of the velmora program: window scale and headless mode.
#pragma once

#include <string>

struct Options {
  int scale = 1;           // 1 to 4: whole-pixel enlargement of the window
  bool headless = false;   // run a script instead of opening a window
  std::string scriptPath;  // empty or "-": the script comes from stdin
  bool showHelp = false;   // --help: print the usage line and stop
  std::string recordPath;  // --record FILE: the window's key presses go there
};

constexpr char UsageLine[] = "usage: velmora [--scale N] [--record FILE] [--headless [SCRIPT]]";

// Reads the arguments after the program name. Returns false and sets *error
// (one line, without the usage) when they make no sense.
bool parseOptions(int argc, const char* const* argv, Options* options, std::string* error);
