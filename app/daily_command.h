// velmora --daily [YYYY-MM-DD]: the day's world file, made from the date
// (today in UTC when none is named) by the rules' generator, exported with
// --export OUT or checked with --check-worlds as any world file.
#pragma once

#include <string>

#include "ui/exit_status.h"
#include "worlds/world_file.h"

// Makes the world of `date` (YYYY-MM-DD, already checked; empty: today in
// UTC) and says on standard error which day it is. Returns false, having
// said why, when no candidate of the date passed its checks.
bool makeDayWorlds(const std::string& date, WorldFile* out);

// Returns the date of a day's world file (YYYY-MM-DD), or "" when `file` is
// not the world the generator makes for the date its title names.
std::string dailyDateOf(const WorldFile& file);

// velmora --daily [DATE] --export OUT: writes the day's world file to OUT
// through the safe writer (a new file, an empty one, or a day's world file
// written before; never through a link). 0 written, 1 not made or not
// written, 2 a target that may not be replaced.
ExitStatus exportDailyWorld(const std::string& date, const std::string& outPath);
