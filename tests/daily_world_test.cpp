// The day's world: dates read and counted, a table of days against the
// identity of their world files (the page is checked against the same
// table), the file as written reading back whole, and in the deep stage a
// year of consecutive days, each valid and won by waiting under the
// threshold, and a week of them won by the planner well above waiting.
#include "worlds/daily_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "worlds/world_identity.h"
#include "worlds/world_reader.h"
#include "worlds/world_solver.h"
#include "worlds/world_writer.h"

namespace {

TEST(DailyWorld, readsOnlyRealDaysInOneSpelling) {
  struct Case {
    const char* text;
    int days;  // -1: refused
  };
  const Case cases[] = {
      {"1970-01-01", 0},
      {"2000-03-01", 11017},
      {"2024-02-29", 19782},
      {"2026-12-07", 20794},
      {"9999-12-31", 2932896},
      {"2023-02-29", -1},
      {"1900-02-28", -1},
      {"1969-12-31", -1},
      {"2026-13-01", -1},
      {"2026-00-10", -1},
      {"2026-04-31", -1},
      {"2026-12-7", -1},
      {"2026-12-07 ", -1},
      {"2026/12/07", -1},
      {"+026-12-07", -1},
      {"2100-02-29", -1},
      {"", -1},
  };
  for (const Case& c : cases) {
    CalendarDate date{1999, 9, 9};
    const bool read = parseCalendarDate(c.text, &date);
    ASSERT_EQ(read, c.days >= 0) << c.text;
    if (!read) continue;
    EXPECT_EQ(daysSinceEpoch(date), c.days) << c.text;
    EXPECT_EQ(formatCalendarDate(dateFromDays(c.days)), c.text);
  }
}

// The identities every build and the page must make; a change here is a
// change of the released generator, which must never happen.
struct Day {
  const char* date;
  int candidate;
  int waitingScore;
  const char* identity;
};
constexpr Day Days[] = {
    {"1970-01-01", 0, 57, "5e381698802da0dcf33eba6f431419aec7fbe2824a042818b80b9d3d48fadc68"},
    {"2024-02-29", 12, 1240, "691917a0a042bd6946cc682e74c05060bcf90ff632979f63f220eae90fd6a1b7"},
    {"2026-12-07", 11, 734, "d6b51e65bbfab6378cf26213be71050cc3f6a9281c69ff71dd5508888bb53f0e"},
    {"2027-01-01", 16, 1981, "0d2aefb9e5ff788b2680d109fd8ef34225031db825106607276472d6e569502a"},
    {"9999-12-31", 22, 2595, "6fba3c7959697cb5ce18abe823b8e838b088b5769c6c2410d397e79dca9a8021"},
};

TEST(DailyWorld, makesEachDayOfTheTableAgain) {
  for (const Day& d : Days) {
    CalendarDate date;
    ASSERT_TRUE(parseCalendarDate(d.date, &date));
    const DailyWorld day = makeDailyWorld(date, 1);
    ASSERT_TRUE(day.made) << d.date;
    EXPECT_EQ(day.candidate, d.candidate) << d.date;
    EXPECT_EQ(day.waiting.score, d.waitingScore) << d.date;
    EXPECT_EQ(worldsIdentity(day.file), d.identity) << d.date;
    EXPECT_EQ(day.file.title, std::string("Today's world ") + d.date);
  }
  CalendarDate date;
  ASSERT_TRUE(parseCalendarDate(Days[0].date, &date));
  EXPECT_FALSE(makeDailyWorld(date, 0).made);
  EXPECT_FALSE(makeDailyWorld(date, DailyGeneratorVersion + 1).made);
}

// Checks one day as a player's file would be checked: its text read back
// with the rules of play, to the same identity and the same text; each chara
// walking to its goal; waiting winning at most at the threshold.
void expectSoundDay(const DailyWorld& day) {
  const std::string name = formatCalendarDate(day.date);
  ASSERT_TRUE(day.made) << name;
  const std::string text = writeWorldFile(day.file);
  WorldFile back;
  WorldFileError error;
  ASSERT_TRUE(readWorldFile(name, text, &back, &error)) << error.message();
  EXPECT_EQ(worldsIdentity(back), worldsIdentity(day.file)) << name;
  EXPECT_EQ(writeWorldFile(back), text) << name;
  for (int w = 1; w <= CharaWorlds; ++w) EXPECT_EQ(checkReach(back, w).reach, ReachAlone) << name;
  const WaitingGame waiting = playWaitingGame(back);
  EXPECT_TRUE(waiting.won) << name;
  EXPECT_LE(waiting.score, dailyRules(day.version)->waitingThreshold) << name;
  EXPECT_LT(day.candidate, dailyRules(day.version)->candidateLimit) << name;
}

TEST(DailyWorld, theDayOfTheTableIsSound) {
  CalendarDate date;
  ASSERT_TRUE(parseCalendarDate(Days[2].date, &date));
  expectSoundDay(makeDailyWorld(date));
}

// VELMORA_DAILY_DAYS days from 2026-01-01 (the deep stage sets 366): each
// sound, the generation's median and longest time printed.
TEST(DailyWorldDeep, aYearOfDaysIsSound) {
  const char* count = std::getenv("VELMORA_DAILY_DAYS");
  if (count == nullptr) GTEST_SKIP() << "VELMORA_DAILY_DAYS is not set";
  CalendarDate first;
  ASSERT_TRUE(parseCalendarDate("2026-01-01", &first));
  std::vector<double> millis;
  int mostCandidates = 0;
  for (int i = 0; i < std::atoi(count); ++i) {
    const auto start = std::chrono::steady_clock::now();
    const DailyWorld day = makeDailyWorld(dateFromDays(daysSinceEpoch(first) + i));
    millis.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    mostCandidates = std::max(mostCandidates, day.candidate + 1);
    expectSoundDay(day);
  }
  std::sort(millis.begin(), millis.end());
  std::printf("%zu days: generation median %.1f ms, longest %.1f ms, most candidates %d\n",
              millis.size(), millis[millis.size() / 2], millis.back(), mostCandidates);
}

// The planner wins a fixed week of those days, each by at least
// PlannerMargin points more than waiting scores (docs/worlds.md).
TEST(DailyWorldDeep, thePlannerBeatsWaitingOnAWeek) {
  if (std::getenv("VELMORA_DAILY_DAYS") == nullptr) GTEST_SKIP() << "VELMORA_DAILY_DAYS is not set";
  constexpr int PlannerMargin = 1500;
  CalendarDate first;
  ASSERT_TRUE(parseCalendarDate("2026-12-07", &first));
  for (int i = 0; i < 7; ++i) {
    const DailyWorld day = makeDailyWorld(dateFromDays(daysSinceEpoch(first) + i));
    const SolvedGame solved = solveWorlds(day.file, planner::SearchOptions{});
    const std::string name = formatCalendarDate(day.date);
    ASSERT_TRUE(solved.plan.won) << name;
    // The strip's score: the budget less every turn before the winning one.
    const int score = ScoreBudget - int(solved.plan.actions.size()) + 1;
    EXPECT_GE(score, day.waiting.score + PlannerMargin) << name;
    std::printf("%s: waiting %d, planner %d\n", name.c_str(), day.waiting.score, score);
  }
}

}  // namespace
