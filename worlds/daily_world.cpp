// The day's generator (see daily_world.h): the versions kept, the candidates
// of a date and the checks each must pass.
#include "worlds/daily_world.h"

#include "worlds/daily_maze_v1.h"
#include "worlds/daily_random.h"

namespace {

// Version 1, released: its rules and its mazes never change.
constexpr DailyRules RulesV1{3000, 128};

constexpr char StudioAuthor[] = "the Velmora Keep 03 studio";

// The seed of one candidate: the date's day number, the version and the
// candidate's number, each in its own bits, so no two share a seed.
uint64_t candidateSeed(int32_t days, int version, int candidate) {
  return uint64_t(uint32_t(days)) << 24 | uint64_t(uint32_t(version) & 0xFFu) << 16 |
         uint64_t(uint32_t(candidate) & 0xFFFFu);
}

// Returns false when a maze of the candidate has no cell fit for a goal.
bool candidateV1(const CalendarDate& date, int candidate, WorldFile* out) {
  DailyRandom random(candidateSeed(daysSinceEpoch(date), 1, candidate));
  WorldFile& file = *out;
  file = blankWorldFile();
  file.title = dailyTitle(date);
  file.author = StudioAuthor;
  file.leadingComments = {"# The world of the day " + formatCalendarDate(date) +
                          ", made by Velmora Keep 03's generator, version 1."};
  for (int w = 1; w <= CharaWorlds; ++w) {
    if (!drawDailyMazeV1(random, w, file.maps[w - 1].cells, &file.starts[w - 1])) return false;
  }
  return true;
}

bool passes(const WorldFile& file, const DailyRules& rules, WaitingGame* waiting) {
  for (int w = 1; w <= CharaWorlds; ++w) {
    if (checkReach(file, w).reach != ReachAlone) return false;
  }
  *waiting = playWaitingGame(file);
  return waiting->won && waiting->score <= rules.waitingThreshold;
}

}  // namespace

const DailyRules* dailyRules(int version) { return version == 1 ? &RulesV1 : nullptr; }

std::string dailyTitle(const CalendarDate& date) {
  return "Today's world " + formatCalendarDate(date);
}

DailyWorld makeDailyWorld(const CalendarDate& date, int version) {
  DailyWorld day;
  day.date = date;
  day.version = version;
  const DailyRules* rules = dailyRules(version);
  if (rules == nullptr) return day;
  for (int candidate = 0; candidate < rules->candidateLimit; ++candidate) {
    if (candidateV1(date, candidate, &day.file) && passes(day.file, *rules, &day.waiting)) {
      day.made = true;
      day.candidate = candidate;
      return day;
    }
  }
  return day;
}
