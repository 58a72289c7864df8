// The day's generator (see daily_world.h): the versions kept, the candidates
// of a date and the checks each must pass.
#include "worlds/daily_world.h"

#include <string_view>

#include "worlds/daily_maze_v1.h"
#include "worlds/daily_random.h"

namespace {

// Version 1, released: its rules and its mazes never change.
constexpr DailyRules RulesV1{3000, 128};

constexpr char StudioAuthor[] = "the Velmora Keep 03 studio";
constexpr std::string_view TitlePrefix = "Today's world ";

// The first line of a day's file: its date and the version that made it.
std::string generatorComment(const CalendarDate& date, int version) {
  return "# The world of the day " + formatCalendarDate(date) +
         ", made by Velmora Keep 03's generator, version " + std::to_string(version) + ".";
}

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
  file.leadingComments = {generatorComment(date, 1)};
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
  return std::string(TitlePrefix) + formatCalendarDate(date);
}

std::string dailyShareLine(const CalendarDate& date, int score, int statements) {
  constexpr std::string_view Dot = " \xC2\xB7 ";  // a middle dot between blanks
  return "Velmora Keep 03" + std::string(Dot) + formatCalendarDate(date) + std::string(Dot) +
         "score " + std::to_string(score) + std::string(Dot) + std::to_string(statements) +
         " statements";
}

bool dailyNameOf(const WorldFile& file, DailyName* out) {
  CalendarDate date;
  if (!file.title.starts_with(TitlePrefix) ||
      !parseCalendarDate(std::string_view(file.title).substr(TitlePrefix.size()), &date) ||
      file.leadingComments.empty())
    return false;
  // The comment ends in the version: one or two digits, no leading zero.
  const std::string head = generatorComment(date, 0);
  const std::string_view comment = file.leadingComments.front();
  const std::string_view prefix = std::string_view(head).substr(0, head.size() - 2);
  if (!comment.starts_with(prefix) || !comment.ends_with('.')) return false;
  const std::string_view digits = comment.substr(prefix.size(), comment.size() - prefix.size() - 1);
  if (digits.empty() || digits.size() > 2 || digits[0] == '0') return false;
  int version = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    version = version * 10 + (c - '0');
  }
  *out = {date, version};
  return true;
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
