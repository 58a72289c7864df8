// A day of the calendar as the day's world names it: YYYY-MM-DD, the
// Gregorian calendar, read strictly so that one day has one spelling.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The years a date may name: from the Unix epoch, so that a day's number is
// never negative, to the last year of four digits.
constexpr int FirstCalendarYear = 1970;
constexpr int LastCalendarYear = 9999;

struct CalendarDate {
  int year = FirstCalendarYear;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to the month's length
};

// Reads `text` as exactly YYYY-MM-DD (ten characters, leading zeros, a real
// day of a year from FirstCalendarYear to LastCalendarYear). Returns false,
// leaving *out alone, for anything else.
bool parseCalendarDate(std::string_view text, CalendarDate* out);
// Returns the date as YYYY-MM-DD.
std::string formatCalendarDate(const CalendarDate& date);
// Returns the days from 1970-01-01 to `date`.
int32_t daysSinceEpoch(const CalendarDate& date);
// Returns the date `days` days after 1970-01-01: the day a clock in UTC
// reads, from its seconds divided by 86,400. Days outside the years allowed
// give the first or the last day allowed.
CalendarDate dateFromDays(int32_t days);
