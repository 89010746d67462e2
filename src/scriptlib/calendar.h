// Calendar arithmetic on script date-times: 64-bit floats counting days since 1899-12-30, the
// fraction being the time of day. Negative values count back from that day with the time of day
// taken from the absolute fraction (-1.25 is 1899-12-29 06:00). Dates run from 0001-01-01 to
// 9999-12-31 in the proleptic Gregorian calendar.
//
// Decoding rounds the value to the nearest millisecond first, so 0.99999999999 decodes as
// 1899-12-31 00:00:00.000. A value outside the date range (or not finite) cannot be decoded and
// raises ox::script::ScriptError "Invalid date"; encoding an impossible date or time raises
// ScriptError, and a part outside 0..65535 raises ox::RangeError.
#pragma once

#include <cstdint>

namespace ox::scriptlib {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

double EncodeDate(std::int64_t year, std::int64_t month, std::int64_t day);
double EncodeTime(std::int64_t hour, std::int64_t minute, std::int64_t second, std::int64_t millisecond);
// False instead of raising, for the text readers.
bool TryEncodeDate(int year, int month, int day, double& out);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, double& out);

CalendarDate DecodeDate(double dateTime);
TimeOfDay DecodeTime(double dateTime);
// 1 for Sunday ... 7 for Saturday, from the whole days of the value (not rounded).
int DayOfWeek(double dateTime);
// Moves by whole months keeping the time of day; the day is clamped to the target month's
// length (31 January + 1 month is 29 February in a leap year).
double IncMonth(double dateTime, std::int32_t months);
// 366 for a date in a leap year, else 365.
int YearDays(double dateTime);
// The span between two date-times in years, each calendar year counting its own length.
double YearFrac(double a, double b);

}  // namespace ox::scriptlib
