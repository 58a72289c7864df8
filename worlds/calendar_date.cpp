// Reading, writing and counting calendar days (see calendar_date.h).
#include "worlds/calendar_date.h"

namespace {

bool leapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int monthLength(int year, int month) {
  constexpr int Lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leapYear(year) ? 29 : Lengths[month - 1];
}

// Returns the number written by `count` digits at `text`, or -1 when one of
// them is not a digit.
int digits(std::string_view text, size_t at, size_t count) {
  int value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

bool parseCalendarDate(std::string_view text, CalendarDate* out) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
  if (year < FirstCalendarYear || year > LastCalendarYear) return false;
  if (month < 1 || month > 12 || day < 1 || day > monthLength(year, month)) return false;
  *out = CalendarDate{year, month, day};
  return true;
}

std::string formatCalendarDate(const CalendarDate& date) {
  std::string out(10, '-');
  const int parts[3][3] = {{date.year, 0, 4}, {date.month, 5, 2}, {date.day, 8, 2}};
  for (const auto& part : parts) {
    int value = part[0];
    for (int i = part[1] + part[2] - 1; i >= part[1]; --i, value /= 10)
      out[size_t(i)] = char('0' + value % 10);
  }
  return out;
}

int32_t daysSinceEpoch(const CalendarDate& date) {
  int32_t days = 0;
  for (int y = FirstCalendarYear; y < date.year; ++y) days += leapYear(y) ? 366 : 365;
  for (int m = 1; m < date.month; ++m) days += monthLength(date.year, m);
  return days + date.day - 1;
}

CalendarDate dateFromDays(int32_t days) {
  CalendarDate date;
  if (days < 0) return date;
  if (days > daysSinceEpoch(CalendarDate{LastCalendarYear, 12, 31}))
    return CalendarDate{LastCalendarYear, 12, 31};
  while (date.year < LastCalendarYear && days >= (leapYear(date.year) ? 366 : 365))
    days -= leapYear(date.year++) ? 366 : 365;
  while (date.month < 12 && days >= monthLength(date.year, date.month))
    days -= monthLength(date.year, date.month++);
  date.day = 1 + int(days);
  return date;
}
