// Dates and times: the by-reference functions DecodeDate and DecodeTime.
#include "scriptlib/calendar.h"
#include "scriptlib/standard_natives.h"

namespace ox::scriptlib {

bool DecodeDateInto(TPasCalc&, TVarList& a, Value& r) {
  if (!IsVariable(a[1]) || !IsVariable(a[2]) || !IsVariable(a[3])) return false;
  const double d = AsFloat(a[0].Val);
  const CalendarDate date = DecodeDate(d);
  a[1].Val = UInt16Value(date.year);
  a[2].Val = UInt16Value(date.month);
  a[3].Val = UInt16Value(date.day);
  r = Value::Date(d);
  return true;
}

bool DecodeTimeInto(TPasCalc&, TVarList& a, Value& r) {
  for (std::size_t i = 1; i < 5; ++i)
    if (!IsVariable(a[i])) return false;
  const double d = AsFloat(a[0].Val);
  const TimeOfDay t = DecodeTime(d);
  a[1].Val = UInt16Value(t.hour);
  a[2].Val = UInt16Value(t.minute);
  a[3].Val = UInt16Value(t.second);
  a[4].Val = UInt16Value(t.millisecond);
  r = Value::Date(d);
  return true;
}

}  // namespace ox::scriptlib
