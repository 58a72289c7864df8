// Standard output as the program's answers go to it: a lost write (a full
// disk, a reader gone) is a failure, said on standard error, not an end.
#pragma once

#include <string_view>

// Writes `text` to standard output and flushes it. False, told, when any of
// it (or of what was written before) was lost.
bool writeStandardOutput(std::string_view text);

// Flushes standard output. False, told, when anything written was lost.
bool standardOutputKept();
