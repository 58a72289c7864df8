// The day's world on the command line (see daily_command.h).
#include "app/daily_command.h"

#include <cstdio>
#include <ctime>

#include "headless/script_lines.h"
#include "platform/safe_file.h"
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

std::string dailyDateOf(const WorldFile& file) {
  constexpr std::string_view Prefix = "Today's world ";
  CalendarDate date;
  if (!file.title.starts_with(Prefix) ||
      !parseCalendarDate(std::string_view(file.title).substr(Prefix.size()), &date))
    return "";
  const DailyWorld day = makeDailyWorld(date);
  if (!day.made || worldsIdentity(day.file) != worldsIdentity(file)) return "";
  return formatCalendarDate(date);
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
