// Dates and times: Now ... EncodeTime, YearDays, YearFrac.
#include <cmath>

#include "scriptlib/calendar.h"
#include "scriptlib/clock.h"
#include "scriptlib/date_text.h"
#include "scriptlib/native_support.h"

namespace ox::scriptlib {

namespace {

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

}  // namespace

void AddDateFunctions(FunctionTable& t) {
  t["Now"] = WithArguments(0, [](TPasCalc&, TVarList&, Value& r) {
    r = Value::Date(LocalNow());
    return true;
  });
  t["Date"] = WithArguments(0, [](TPasCalc&, TVarList&, Value& r) {
    r = Value::Date(std::trunc(LocalNow()));
    return true;
  });
  t["Time"] = WithArguments(0, [](TPasCalc&, TVarList&, Value& r) {
    const double now = LocalNow();
    r = Value::Date(now - std::trunc(now));
    return true;
  });
  t["DateToStr"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(DateToStr(AsFloat(a[0].Val)));
    return true;
  });
  t["StrToDate"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Date(StrToDate(AsText(a[0].Val)));
    return true;
  });
  t["TimeToStr"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(TimeToStr(AsFloat(a[0].Val)));
    return true;
  });
  t["StrToTime"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Date(StrToTime(AsText(a[0].Val)));
    return true;
  });
  t["FormatDateTime"] = WithArguments(2, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(FormatDateTime(AsText(a[0].Val), AsFloat(a[1].Val)));
    return true;
  });
  t["DayOfWeek"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = UInt16Value(DayOfWeek(AsFloat(a[0].Val)));
    return true;
  });
  t["IncMonth"] = WithArguments(2, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Date(IncMonth(AsFloat(a[0].Val), Truncated(a[1].Val)));
    return true;
  });
  t["DecodeDate"] = WithArguments(4, DecodeDateInto);
  t["DecodeTime"] = WithArguments(5, DecodeTimeInto);
  t["EncodeDate"] = WithArguments(3, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Date(EncodeDate(Truncated(a[0].Val), Truncated(a[1].Val), Truncated(a[2].Val)));
    return true;
  });
  t["EncodeTime"] = WithArguments(4, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Date(EncodeTime(Truncated(a[0].Val), Truncated(a[1].Val), Truncated(a[2].Val), Truncated(a[3].Val)));
    return true;
  });
  t["YearDays"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = UInt16Value(YearDays(AsFloat(a[0].Val)));
    return true;
  });
  t["YearFrac"] = WithArguments(2, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Float(YearFrac(AsFloat(a[0].Val), AsFloat(a[1].Val)));
    return true;
  });
}

}  // namespace ox::scriptlib
