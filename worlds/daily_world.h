// The day's world: a world file made from a date alone, the same for
// everyone, on every machine and in the page. Each generator version is kept
// for ever, so any day of any version is made again byte for byte.
#pragma once

#include <string>

#include "worlds/calendar_date.h"
#include "worlds/world_check.h"
#include "worlds/world_file.h"

// The version a day is made with unless another is asked for.
constexpr int DailyGeneratorVersion = 1;

// What a version promises of every day it makes.
struct DailyRules {
  // Waiting alone (no statement) wins the day, with a score at most this:
  // the player must do better than let turns pass.
  int waitingThreshold;
  // Candidates tried for one date before the day is given up.
  int candidateLimit;
};

// Returns the rules of generator `version`, or nullptr for a version this
// build does not know.
const DailyRules* dailyRules(int version);

struct DailyWorld {
  bool made = false;  // false: an unknown version, or no candidate passed
  CalendarDate date;
  int version = DailyGeneratorVersion;
  int candidate = 0;    // which candidate of the date passed, from 0
  WorldFile file;       // titled "Today's world YYYY-MM-DD", by the studio
  WaitingGame waiting;  // the day's proof: the game of only letting turns pass
};

// Makes the world of `date` with generator `version`: candidates drawn from
// the date, the version and the candidate's number, each checked (every
// chara walks to its goal; waiting wins within the budget, at most the
// version's threshold) until one passes.
DailyWorld makeDailyWorld(const CalendarDate& date, int version = DailyGeneratorVersion);

// Returns the day's title, "Today's world YYYY-MM-DD".
std::string dailyTitle(const CalendarDate& date);

// The line a won day is shared with, the same on the desktop and the page:
// "Velmora Keep 03 · YYYY-MM-DD · score N · S statements".
std::string dailyShareLine(const CalendarDate& date, int score, int statements);

// What a day's world file says it is: the date its title names and the
// generator version its first comment names. A claim only: the day made
// again from them must have the file's identity before anyone trusts it.
struct DailyName {
  CalendarDate date;
  int version = DailyGeneratorVersion;
};

// Reads the claim of `file` (its title "Today's world YYYY-MM-DD" and the
// generator's comment of that date); false when it makes none.
bool dailyNameOf(const WorldFile& file, DailyName* out);
