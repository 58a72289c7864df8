// Standard output kept or told lost (see standard_output.h).
#include "headless/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool writeStandardOutput(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  return standardOutputKept();
}

bool standardOutputKept() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  std::fprintf(stderr, "velmora: cannot write standard output: %s\n", std::strerror(errno));
  return false;
}
