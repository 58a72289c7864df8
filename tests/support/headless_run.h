// Running the velmora program as a process of its own, on a script, with any
// command line; reading files of the source tree.
#pragma once

#include <string>

struct HeadlessRun {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out;  // standard output as printed
  std::string err;  // standard error
};

// How runVelmora starts the program.
struct RunSettings {
  // Put before the program on the shell's command line: `cd DIR &&`,
  // variables (`NAME=VALUE`) or `env -u DISPLAY`.
  std::string prefix;
  // Standard input: the script's text, or nothing at all (/dev/null).
  bool scriptOnStdin = false;
};

// Runs `velmora ARGS` through the shell. Each `{script}` in args is replaced
// by the name of a scratch file that holds `script`.
HeadlessRun runVelmora(const std::string& args, const std::string& script = "",
                       const RunSettings& settings = {});

// Makes a new folder of the test's own, /tmp/velmora-NAME-XXXXXX, and
// returns its path; "" when it cannot be made.
std::string scratchFolder(const char* name);

// Returns the contents of a file (of the source tree, for sourceFile, given
// `relative` to its top), or "" when it cannot be read.
std::string readFile(const std::string& path);
std::string sourceFile(const std::string& relative);
