#include "scriptlib/calendar.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/core/checked.h"
#include "script/script_error.h"

namespace ox::scriptlib {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Days from 0001-01-01 (day 1) to 1899-12-30 (day 0 of date-times), and the last date.
constexpr std::int64_t kDateDelta = 693594;
constexpr double kFirstDay = -693593.0;  // 0001-01-01
constexpr double kLastDay = 2958465.0;   // 9999-12-31

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CalendarDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

constexpr std::int64_t kUnixToDateTime = 25569;  // 1970-01-01 as a date-time

// The value as (whole days, milliseconds of the day) after rounding to the millisecond.
std::pair<std::int64_t, std::int64_t> SplitMilliseconds(double dateTime) {
  if (!(dateTime >= kFirstDay - 1.0 && dateTime < kLastDay + 1.0)) throw script::ScriptError("Invalid date");
  const long double scaled = static_cast<long double>(dateTime) * kMsPerDay;
  const auto total = static_cast<std::int64_t>(scaled < 0 ? scaled - 0.5L : scaled + 0.5L);
  const std::int64_t days = total / kMsPerDay;
  if (days < kFirstDay || days > kLastDay) throw script::ScriptError("Invalid date");
  return {days, (total < 0 ? -total : total) % kMsPerDay};
}

std::int64_t CheckedPart(std::int64_t v) {
  if (v < 0 || v > 65535) throw RangeError("Range check error");
  return v;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, double& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  out = static_cast<double>(DaysFromCivil(year, month, day) + kUnixToDateTime);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& out) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    return false;
  const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  out = static_cast<double>(ms) / kMsPerDay;
  return true;
}

double EncodeDate(std::int64_t year, std::int64_t month, std::int64_t day) {
  double out = 0;
  if (!TryEncodeDate(static_cast<int>(CheckedPart(year)), static_cast<int>(CheckedPart(month)),
                     static_cast<int>(CheckedPart(day)), out))
    throw script::ScriptError("Invalid argument to date encode");
  return out;
}

double EncodeTime(std::int64_t hour, std::int64_t minute, std::int64_t second, std::int64_t millisecond) {
  double out = 0;
  if (!TryEncodeTime(static_cast<int>(CheckedPart(hour)), static_cast<int>(CheckedPart(minute)),
                     static_cast<int>(CheckedPart(second)), static_cast<int>(CheckedPart(millisecond)), out))
    throw script::ScriptError("Invalid argument to time encode");
  return out;
}

CalendarDate DecodeDate(double dateTime) {
  return CivilFromDays(SplitMilliseconds(dateTime).first - kUnixToDateTime);
}

TimeOfDay DecodeTime(double dateTime) {
  const std::int64_t ms = SplitMilliseconds(dateTime).second;
  return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
          static_cast<int>(ms % 1000)};
}

int DayOfWeek(double dateTime) {
  if (!(dateTime > kFirstDay - 1.0 && dateTime < kLastDay + 1.0)) throw script::ScriptError("Invalid date");
  return static_cast<int>((kDateDelta + static_cast<std::int64_t>(dateTime)) % 7) + 1;
}

double IncMonth(double dateTime, std::int32_t months) {
  const CalendarDate d = DecodeDate(dateTime);
  const std::int64_t index = d.year * 12LL + (d.month - 1) + months;
  if (index < 12 || index >= 10000 * 12) throw script::ScriptError("Invalid argument to date encode");
  const std::int64_t year = index / 12;
  const int month = static_cast<int>(index % 12) + 1;
  const int day = std::min(d.day, DaysInMonth(static_cast<int>(year), month));
  const double date = EncodeDate(year, month, day);
  const double time = std::fabs(dateTime - std::trunc(dateTime));
  return date >= 0 ? date + time : date - time;
}

int YearDays(double dateTime) { return IsLeapYear(DecodeDate(dateTime).year) ? 366 : 365; }

double YearFrac(double a, double b) {
  if (a > b) std::swap(a, b);
  const int first = DecodeDate(a).year;
  const int last = DecodeDate(b).year;
  double sum = 0;
  for (int y = first; y <= last; ++y) {
    const double from = y == first ? a : EncodeDate(y, 1, 1);
    const double to = y == last ? b : (y < 9999 ? EncodeDate(y + 1, 1, 1) : kLastDay + 1.0);
    sum += (to - from) / (IsLeapYear(y) ? 366.0 : 365.0);
  }
  return sum;
}

}  // namespace ox::scriptlib
