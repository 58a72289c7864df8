// velmora --daily [YYYY-MM-DD]: the day's world file, made from the date
// (today in UTC when none is named) by the rules' generator, exported with
// --export OUT or checked with --check-worlds as any world file.
#pragma once

#include <string>
#include <string_view>

#include "ui/exit_status.h"
#include "worlds/daily_world.h"
#include "worlds/world_file.h"

// Makes the world of `date` (YYYY-MM-DD, already checked; empty: today in
// UTC) and says on standard error which day it is. Returns false, having
// said why, when no candidate of the date passed its checks.
bool makeDayWorlds(const std::string& date, WorldFile* out);

// Returns whether `file` is a day's world: the world the generator version
// its first comment names makes for the date its title names, identity for
// identity. *day then holds the date and the version.
bool isDailyWorld(const WorldFile& file, DailyName* day);

// The day a recording names, for sharing it where the state folder has no
// copy: its `# worlds: Today's world DATE (generator version N)` comment
// (no version: 1, the recordings made before one was named) and its
// `worlds ID` line.
enum class RecordedDay {
  NotNamed,  // no day named, or the state folder has the worlds: play as any script
  Made,      // made again from the date and version, with the identity named
  Refused,   // told on standard error: the day could not be made, or is other worlds
};
RecordedDay makeRecordedDay(std::string_view script, WorldFile* out);

// velmora --daily [DATE] --export OUT: writes the day's world file to OUT
// through the safe writer (a new file, an empty one, or a day's world file
// written before; never through a link). 0 written, 1 not made or not
// written, 2 a target that may not be replaced.
ExitStatus exportDailyWorld(const std::string& date, const std::string& outPath);
