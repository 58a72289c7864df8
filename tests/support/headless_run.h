// Running the velmora program headless, as a process of its own, on a script,
// and reading the JSON lines that the script's `state` commands print.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

struct HeadlessRun {
  int status = -1;                     // exit status; -1 when it did not exit normally
  std::vector<nlohmann::json> states;  // the standard output lines that are JSON objects
  std::string out;                     // standard output as printed
  std::string err;                     // standard error
};

// Runs `velmora --headless` on `script`, the text of a script.
HeadlessRun runHeadless(const std::string& script);

// Returns the contents of a file of the source tree, `relative` to its top,
// or "" when it cannot be read.
std::string sourceFile(const std::string& relative);
