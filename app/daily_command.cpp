// The day's world on the command line (see daily_command.h).
#include "app/daily_command.h"

#include <cstdio>
#include <ctime>

#include "headless/script_lines.h"
#include "platform/safe_file.h"
#include "ui/played_worlds.h"
#include "worlds/daily_world.h"
#include "worlds/world_identity.h"
#include "worlds/world_writer.h"

namespace {

constexpr int SecondsPerDay = 86400;
constexpr std::string_view DayFileHead = "# The world of the day ";

// An export replaces only what an export wrote, or an empty file.
bool isDayWorldFile(std::string_view head) {
  return head.empty() || head.starts_with(DayFileHead.substr(0, head.size()));
}
constexpr platform::ReplaceRule DayWorldFile{isDayWorldFile, "a day's world file"};

CalendarDate dateOf(const std::string& text) {
  CalendarDate date;
  if (!text.empty() && parseCalendarDate(text, &date)) return date;
  return dateFromDays(int32_t(std::time(nullptr) / SecondsPerDay));
}

// A generator version as a recording writes it (1 to 99); 0 for anything else.
int versionNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 2 || digits[0] == '0') return 0;
  int version = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    version = version * 10 + (c - '0');
  }
  return version;
}

}  // namespace

bool makeDayWorlds(const std::string& text, WorldFile* out) {
  const CalendarDate date = dateOf(text);
  const DailyWorld day = makeDailyWorld(date);
  if (!day.made) {
    std::fprintf(stderr, "velmora: no world could be made for %s\n",
                 formatCalendarDate(date).c_str());
    return false;
  }
  std::fprintf(stderr, "velmora: today's world %s (generator version %d)\n",
               formatCalendarDate(date).c_str(), day.version);
  *out = day.file;
  return true;
}

bool isDailyWorld(const WorldFile& file, DailyName* day) {
  if (!dailyNameOf(file, day)) return false;
  const DailyWorld made = makeDailyWorld(day->date, day->version);
  return made.made && worldsIdentity(made.file) == worldsIdentity(file);
}

RecordedDay makeRecordedDay(std::string_view script, WorldFile* out) {
  constexpr std::string_view DayComment = "# worlds: Today's world ";
  constexpr std::string_view VersionPart = " (generator version ";
  std::string_view named;
  std::string_view id;
  // The worlds' lines come before the first key: only comments, blank lines
  // and those two are read.
  for (size_t at = 0; at < script.size() && id.empty();) {
    size_t end = script.find('\n', at);
    if (end == std::string_view::npos) end = script.size();
    std::string_view line = script.substr(at, end - at);
    at = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with(DayComment)) {
      named = line.substr(DayComment.size());
    } else if (line.starts_with("worlds ")) {
      id = line.substr(7);
    } else if (!line.empty() && !line.starts_with('#')) {
      break;
    }
  }
  WorldFile copy;
  if (named.empty() || !isWorldsIdentity(id) || findWorldsCopy(id, &copy))
    return RecordedDay::NotNamed;
  DailyName day;
  std::string_view version = "1";
  if (const size_t part = named.find(VersionPart);
      part != std::string_view::npos && named.ends_with(')')) {
    version = named.substr(part + VersionPart.size());
    version.remove_suffix(1);
    named = named.substr(0, part);
  }
  day.version = versionNumber(version);
  const std::string shown = headless::printable(named, 40) + " (generator version " +
                            headless::printable(version, 10) + ")";
  if (!parseCalendarDate(named, &day.date) || !dailyRules(day.version)) {
    std::fprintf(stderr,
                 "velmora: the recording names today's world %s, which this build cannot make\n",
                 shown.c_str());
    return RecordedDay::Refused;
  }
  const DailyWorld made = makeDailyWorld(day.date, day.version);
  const std::string identity = made.made ? worldsIdentity(made.file) : "";
  if (identity != id) {
    std::fprintf(stderr,
                 "velmora: the recording was played on worlds %s, not on today's world %s, "
                 "whose identity is %s\n",
                 std::string(id).c_str(), shown.c_str(),
                 identity.empty() ? "unknown: no world could be made" : identity.c_str());
    return RecordedDay::Refused;
  }
  std::fprintf(stderr, "velmora: today's world %s made again\n", shown.c_str());
  *out = made.file;
  return RecordedDay::Made;
}

ExitStatus exportDailyWorld(const std::string& date, const std::string& outPath) {
  const std::string shown = headless::printable(outPath, 4096);
  std::string reason;
  if (!platform::fileMayBeReplaced(outPath.c_str(), DayWorldFile, &reason)) {
    std::fprintf(stderr, "velmora: %s: %s\n", shown.c_str(), reason.c_str());
    return ExitRefused;
  }
  WorldFile file;
  if (!makeDayWorlds(date, &file)) return ExitFailed;
  const std::string text = writeWorldFile(file);
  if (!platform::writeFileAtomically(outPath.c_str(), text.data(), text.size(), DayWorldFile,
                                     &reason)) {
    std::fprintf(stderr, "velmora: %s: %s\n", shown.c_str(), reason.c_str());
    return ExitFailed;
  }
  std::fprintf(stderr, "velmora: wrote %s\n", shown.c_str());
  return ExitOk;
}
