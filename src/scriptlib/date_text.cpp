#include "scriptlib/date_text.h"

#include <cstdio>

#include "script/script_error.h"
#include "scriptlib/calendar.h"
#include "scriptlib/clock.h"

namespace ox::scriptlib {

namespace {

constexpr const char* kShortDate = "dd.mm.yyyy";
constexpr const char* kLongDate = "d mmmm yyyy";
constexpr const char* kShortTime = "hh:nn";
constexpr const char* kLongTime = "hh:nn:ss";
constexpr char kDateSeparator = '.';
constexpr char kTimeSeparator = ':';
constexpr const char* kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kLongMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kLongDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr int kTwoDigitYearWindow = 50;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
  if (text.size() - pos < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (Upper(text[pos + i]) != Upper(word[i])) return false;
  return true;
}

std::string Number(int v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", digits, v);
  return buf;
}

// One date-time broken into its parts once, for a whole pattern.
struct Parts {
  double value;
  CalendarDate date;
  TimeOfDay time;
  int dayOfWeek;
};

class PatternWriter {
 public:
  explicit PatternWriter(const Parts& parts) : p_(parts) {}
  void Write(std::string_view pattern, int depth);
  std::string out;

 private:
  void WriteLetter(std::string_view pattern, std::size_t& pos, int depth);
  bool Uses12Hours(std::string_view pattern, std::size_t pos) const;
  void WriteMarker(std::string_view pattern, std::size_t& pos);
  const Parts& p_;
  char lastLetter_ = 0;
};

void PatternWriter::Write(std::string_view pattern, int depth) {
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char c = pattern[pos];
    if (c == '"' || c == '\'') {
      const std::size_t close = pattern.find(c, pos + 1);
      const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
      out += pattern.substr(pos + 1, end - pos - 1);
      pos = end == pattern.size() ? end : end + 1;
    } else if (c == '/') {
      out += kDateSeparator;
      ++pos;
    } else if (c == ':') {
      out += kTimeSeparator;
      ++pos;
    } else {
      WriteLetter(pattern, pos, depth);
    }
  }
}

// True when an am/pm marker follows before the next hour letter (quoted text skipped).
bool PatternWriter::Uses12Hours(std::string_view pattern, std::size_t pos) const {
  bool quoted = false;
  for (; pos < pattern.size(); ++pos) {
    const char c = pattern[pos];
    if (c == '"' || c == '\'') quoted = !quoted;
    if (quoted) continue;
    if (c == 'h' || c == 'H') return false;
    if (c == 'a' || c == 'A')
      return StartsWithNoCase(pattern, pos, "AM/PM") || StartsWithNoCase(pattern, pos, "A/P") ||
             StartsWithNoCase(pattern, pos, "AMPM");
  }
  return false;
}

void PatternWriter::WriteMarker(std::string_view pattern, std::size_t& pos) {
  const bool pm = p_.time.hour >= 12;
  if (StartsWithNoCase(pattern, pos, "AM/PM")) {
    const std::string_view word = pattern.substr(pos + (pm ? 3 : 0), 2);
    out += word;
    pos += 5;
  } else if (StartsWithNoCase(pattern, pos, "A/P")) {
    out += pattern[pos + (pm ? 2 : 0)];
    pos += 3;
  } else if (StartsWithNoCase(pattern, pos, "AMPM")) {
    out += pm ? "PM" : "AM";
    pos += 4;
  } else {
    out += pattern[pos++];
  }
}

void PatternWriter::WriteLetter(std::string_view pattern, std::size_t& pos, int depth) {
  const char starter = pattern[pos];
  char letter = Upper(starter);
  if (letter == 'A') {
    WriteMarker(pattern, pos);
    return;
  }
  std::size_t count = 1;
  while (pos + count < pattern.size() && pattern[pos + count] == starter) ++count;
  if (letter >= 'A' && letter <= 'Z') {
    if (letter == 'M' && lastLetter_ == 'H') letter = 'N';
    lastLetter_ = letter;
  }
  const int n = static_cast<int>(count);
  const TimeOfDay& t = p_.time;
  switch (letter) {
    case 'Y': out += n <= 2 ? Number(p_.date.year % 100, 2) : Number(p_.date.year, 4); break;
    case 'M':
      out += n == 1 ? Number(p_.date.month, 1) : n == 2 ? Number(p_.date.month, 2)
             : n == 3 ? kShortMonths[p_.date.month - 1] : kLongMonths[p_.date.month - 1];
      break;
    case 'D':
      if (n <= 2) out += Number(p_.date.day, n);
      else if (n == 3) out += kShortDays[p_.dayOfWeek - 1];
      else if (n == 4) out += kLongDays[p_.dayOfWeek - 1];
      else if (depth < 2) Write(n == 5 ? kShortDate : kLongDate, depth + 1);
      break;
    case 'H': {
      int hour = t.hour;
      if (Uses12Hours(pattern, pos + count)) hour = hour % 12 == 0 ? 12 : hour % 12;
      out += Number(hour, n == 1 ? 1 : 2);
      break;
    }
    case 'N': out += Number(t.minute, n == 1 ? 1 : 2); break;
    case 'S': out += Number(t.second, n == 1 ? 1 : 2); break;
    case 'Z': out += Number(t.millisecond, n <= 2 ? 1 : 3); break;
    case 'T': if (depth < 2) Write(n == 1 ? kShortTime : kLongTime, depth + 1); break;
    case 'C':
      if (depth < 2) {
        Write(kShortDate, depth + 1);
        if (t.hour != 0 || t.minute != 0 || t.second != 0 || t.millisecond != 0) {
          out += ' ';
          Write(kLongTime, depth + 1);
        }
      }
      break;
    default: out += pattern.substr(pos, count); break;
  }
  pos += count;
}

// Reads up to four decimal digits; false when there is none.
bool ScanNumber(std::string_view text, std::size_t& pos, int& value, int& digits) {
  value = 0;
  digits = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    if (++digits > 4) return false;
    value = value * 10 + (text[pos++] - '0');
  }
  return digits > 0;
}

void SkipBlanks(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
}

bool ScanChar(std::string_view text, std::size_t& pos, char c) {
  SkipBlanks(text, pos);
  if (pos < text.size() && text[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

int WindowedYear(int twoDigitYear) {
  const int current = DecodeDate(LocalNow()).year;
  int year = current / 100 * 100 + twoDigitYear;
  if (year < current - kTwoDigitYearWindow) year += 100;
  else if (year > current + kTwoDigitYearWindow) year -= 100;
  return year;
}

[[noreturn]] void NotADate(std::string_view text) {
  throw script::ScriptError("'" + std::string(text) + "' is not a valid date");
}

[[noreturn]] void NotATime(std::string_view text) {
  throw script::ScriptError("'" + std::string(text) + "' is not a valid time");
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, double dateTime) {
  const Parts parts{dateTime, DecodeDate(dateTime), DecodeTime(dateTime), DayOfWeek(dateTime)};
  PatternWriter writer(parts);
  writer.Write(pattern, 0);
  return writer.out;
}

std::string DateToStr(double dateTime) { return FormatDateTime("ddddd", dateTime); }
std::string TimeToStr(double dateTime) { return FormatDateTime("tt", dateTime); }

double StrToDate(std::string_view text) {
  std::size_t pos = 0;
  int day = 0, month = 0, year = 0, digits = 0, yearDigits = 0;
  SkipBlanks(text, pos);
  if (!ScanNumber(text, pos, day, digits) || !ScanChar(text, pos, kDateSeparator)) NotADate(text);
  SkipBlanks(text, pos);
  if (!ScanNumber(text, pos, month, digits)) NotADate(text);
  if (ScanChar(text, pos, kDateSeparator)) {
    SkipBlanks(text, pos);
    if (!ScanNumber(text, pos, year, yearDigits)) NotADate(text);
    if (yearDigits <= 2) year = WindowedYear(year);
  } else {
    year = DecodeDate(LocalNow()).year;
  }
  SkipBlanks(text, pos);
  double out = 0;
  if (pos != text.size() || !TryEncodeDate(year, month, day, out)) NotADate(text);
  return out;
}

double StrToTime(std::string_view text) {
  std::size_t pos = 0;
  int parts[4] = {0, 0, 0, 0};
  int digits = 0;
  SkipBlanks(text, pos);
  if (!ScanNumber(text, pos, parts[0], digits)) NotATime(text);
  for (int i = 1; i < 4; ++i) {
    if (!ScanChar(text, pos, i == 3 ? '.' : kTimeSeparator)) break;
    SkipBlanks(text, pos);
    if (!ScanNumber(text, pos, parts[i], digits)) NotATime(text);
  }
  SkipBlanks(text, pos);
  if (StartsWithNoCase(text, pos, "AM") || StartsWithNoCase(text, pos, "PM")) {
    const bool pm = Upper(text[pos]) == 'P';
    if (parts[0] > 12) NotATime(text);
    parts[0] = parts[0] % 12 + (pm ? 12 : 0);
    pos += 2;
    SkipBlanks(text, pos);
  }
  double out = 0;
  if (pos != text.size() || !TryEncodeTime(parts[0], parts[1], parts[2], parts[3], out)) NotATime(text);
  return out;
}

}  // namespace ox::scriptlib
