// Date-times as text and back, with one fixed set of locale settings (the player does not
// follow the machine's locale, so a game shows the same text everywhere):
//   date separator ".", time separator ":", short date "dd.mm.yyyy", long date "d mmmm yyyy",
//   short time "hh:nn", long time "hh:nn:ss", "AM"/"PM", English month and day names;
//   two-digit years fall within 50 years before the current year and after it.
//
// FormatDateTime's pattern letters (any case; a run of the same letter counts):
//   y/yy two-digit year, yyy+ four digits; m mm month, mmm short name, mmmm+ long name (m right
//   after an h means minutes); d dd day, ddd dddd day names, ddddd short date, dddddd+ long
//   date; h hh hour (12-hour when an am/pm marker follows before the next h); n nn minutes;
//   s ss seconds; z millisecond, zzz three digits; t short time, tt long time; c short date and
//   long time (the time only when it is not midnight); am/pm, a/p (in the pattern's letter
//   case) and ampm ("AM"/"PM"); "/" and ":" the separators; "..." and '...' literal text.
#pragma once

#include <string>
#include <string_view>

namespace ox::scriptlib {

std::string FormatDateTime(std::string_view pattern, double dateTime);
// The short date ("15.03.2024") and the long time ("18:00:00").
std::string DateToStr(double dateTime);
std::string TimeToStr(double dateTime);

// Day, month and year separated by "."; a missing year is the current one; blanks around are
// allowed. Throws ox::script::ScriptError for any other text or an impossible date.
double StrToDate(std::string_view text);
// Hour, then optional ":" minutes, ":" seconds, "." milliseconds, then an optional AM/PM.
// Throws ScriptError for any other text or an impossible time.
double StrToTime(std::string_view text);

}  // namespace ox::scriptlib
