#include "scriptlib/standard_functions.h"

#include <cmath>
#include <string>

#include "platform/core/checked.h"
#include "platform/core/random.h"
#include "platform/text/case1251.h"
#include "scriptlib/calendar.h"
#include "scriptlib/clock.h"
#include "scriptlib/date_text.h"
#include "scriptlib/number_text.h"
#include "scriptlib/standard_natives.h"
#include "scriptlib/text_functions.h"

namespace ox::scriptlib {

namespace {

double Sqr(double x) { return x * x; }
double Ln(double x) { return x > 0 ? std::log(x) : std::nan(""); }
double Sqrt(double x) { return x >= 0 ? std::sqrt(x) : std::nan(""); }
double ArcSin(double x) { return x >= -1 && x <= 1 ? std::asin(x) : std::nan(""); }
double ArcCos(double x) { return x >= -1 && x <= 1 ? std::acos(x) : std::nan(""); }
double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double ArcTan(double x) { return std::atan(x); }
double Exp(double x) { return std::exp(x); }
double Abs(double x) { return std::fabs(x); }
double Frac(double x) { return x - std::trunc(x); }
double Trunc(double x) { return std::trunc(x); }
double Ceil(double x) { return std::ceil(x); }
double Floor(double x) { return std::floor(x); }

std::string Upper(const std::string& s) { return platform::UpperCase1251(s); }
std::string Lower(const std::string& s) { return platform::LowerCase1251(s); }
std::string IntText(std::int64_t v) { return std::to_string(v); }
std::string OneChar(std::int32_t code) { return std::string(1, static_cast<char>(code & 0xFF)); }
std::int32_t Length(std::string_view s) { return TextLength(s, UnicodeMode()); }
std::string WithoutLast(std::string_view s) { return WithoutLastChar(s, UnicodeMode()); }
std::int32_t RandomBelow(std::int32_t n) { return platform::RandomBelow(n); }
std::int32_t Rounded(double v) { return RoundToInt32(v); }
std::int8_t Sign(std::int64_t v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }
Value Int8Of(std::int8_t v) { return Int8Value(v); }
Value UInt16Of(int v) { return UInt16Value(v); }
Value Unchanged(double v) { return Value::Float(v); }

bool StrToFloatOf(TPasCalc&, TVarList& a, Value& r) {
  double v = 0;
  if (!StrToFloat(TrimText(AsText(a[0].Val)), v)) return false;
  r = Value::Float(v);
  return true;
}

bool CopyOf(TPasCalc&, TVarList& a, Value& r) {
  r = Value::String(CopyText(AsText(a[0].Val), Truncated(a[1].Val), Truncated(a[2].Val)));
  return true;
}

bool PositionIn(TPasCalc&, TVarList& a, Value& r) {
  r = Value::Int32(PositionOf(AsText(a[0].Val), AsText(a[1].Val)));
  return true;
}

bool NowValue(TPasCalc&, TVarList&, Value& r) {
  r = Value::Date(LocalNow());
  return true;
}

bool DateValue(TPasCalc&, TVarList&, Value& r) {
  r = Value::Date(std::trunc(LocalNow()));
  return true;
}

bool TimeValue(TPasCalc&, TVarList&, Value& r) {
  const double now = LocalNow();
  r = Value::Date(now - std::trunc(now));
  return true;
}

bool FormatDateTimeOf(TPasCalc&, TVarList& a, Value& r) {
  r = Value::String(FormatDateTime(AsText(a[0].Val), AsFloat(a[1].Val)));
  return true;
}

bool IncMonthOf(TPasCalc&, TVarList& a, Value& r) {
  r = Value::Date(IncMonth(AsFloat(a[0].Val), Truncated(a[1].Val)));
  return true;
}

bool EncodeDateOf(TPasCalc&, TVarList& a, Value& r) {
  r = Value::Date(EncodeDate(Truncated(a[0].Val), Truncated(a[1].Val), Truncated(a[2].Val)));
  return true;
}

bool EncodeTimeOf(TPasCalc&, TVarList& a, Value& r) {
  r = Value::Date(EncodeTime(Truncated(a[0].Val), Truncated(a[1].Val), Truncated(a[2].Val),
                             Truncated(a[3].Val)));
  return true;
}

bool YearFracOf(TPasCalc&, TVarList& a, Value& r) {
  r = Value::Float(YearFrac(AsFloat(a[0].Val), AsFloat(a[1].Val)));
  return true;
}

constexpr NativeReg kStandardFunctions[] = {
    {"Val", Exactly<3, ValInto>},
    {"Char", Unary<AsInteger, OneChar, Value::String>},
    {"IntToStr", Unary<AsInteger64, IntText, Value::String>},
    {"StrToInt", Unary<AsText, StrToInt, Value::Int32>},
    {"FloatToStr", Unary<AsFloat, FloatToStr, Value::String>},
    {"StrToFloat", Exactly<1, StrToFloatOf>},
    {"Copy", Exactly<3, CopyOf>},
    {"Poss", Exactly<2, PositionIn>},
    {"Length", Unary<AsText, Length, Value::Int32>},
    {"DelLastChar", Unary<AsText, WithoutLast, Value::String>},
    {"Insert", Exactly<3, InsertInto>},
    {"Delete", Exactly<3, DeleteFrom>},
    {"Trim", Unary<AsText, TrimText, Value::String>},
    {"TrimLeft", Unary<AsText, TrimLeftText, Value::String>},
    {"TrimRight", Unary<AsText, TrimRightText, Value::String>},
    {"UpperCase", Unary<AsText, Upper, Value::String>},
    {"LowerCase", Unary<AsText, Lower, Value::String>},
    {"Format", AtLeast<2, FormatValues>},
    {"Now", Exactly<0, NowValue>},
    {"Date", Exactly<0, DateValue>},
    {"Time", Exactly<0, TimeValue>},
    {"DateToStr", Unary<AsFloat, DateToStr, Value::String>},
    {"StrToDate", Unary<AsText, StrToDate, Value::Date>},
    {"TimeToStr", Unary<AsFloat, TimeToStr, Value::String>},
    {"StrToTime", Unary<AsText, StrToTime, Value::Date>},
    {"FormatDateTime", Exactly<2, FormatDateTimeOf>},
    {"DayOfWeek", Unary<AsFloat, DayOfWeek, UInt16Of>},
    {"IncMonth", Exactly<2, IncMonthOf>},
    {"DecodeDate", Exactly<4, DecodeDateInto>},
    {"DecodeTime", Exactly<5, DecodeTimeInto>},
    {"EncodeDate", Exactly<3, EncodeDateOf>},
    {"EncodeTime", Exactly<4, EncodeTimeOf>},
    {"Abs", Unary<AsFloat, Abs, Unchanged>},
    {"Int", Exactly<1, IntOf>},
    {"Frac", Unary<AsFloat, Frac, FiniteFloat>},
    {"Round", Unary<AsFloat, Rounded, Value::Int32>},
    {"Ceil", Unary<AsFloat, Ceil, Int32OfWhole>},
    {"Floor", Unary<AsFloat, Floor, Int32OfWhole>},
    {"Trunc", Unary<AsFloat, Trunc, Int32OfWhole>},
    {"Sin", Unary<AsFloat, Sin, FiniteFloat>},
    {"Sign", Unary<AsInteger64, Sign, Int8Of>},
    {"Cos", Unary<AsFloat, Cos, FiniteFloat>},
    {"Tan", Unary<AsFloat, Tan, FiniteFloat>},
    {"ArcSin", Unary<AsFloat, ArcSin, FiniteFloat>},
    {"ArcCos", Unary<AsFloat, ArcCos, FiniteFloat>},
    {"ArcTan", Unary<AsFloat, ArcTan, FiniteFloat>},
    {"Exp", Unary<AsFloat, Exp, FiniteFloat>},
    {"Ln", Unary<AsFloat, Ln, FiniteFloat>},
    {"IntPower", Exactly<2, IntPowerOf>},
    {"Sqr", Unary<AsFloat, Sqr, FiniteFloat>},
    {"Sqrt", Unary<AsFloat, Sqrt, FiniteFloat>},
    {"Inc", Increment},
    {"Dec", Decrement},
    {"Min", AtLeast<1, Smallest>},
    {"Max", AtLeast<1, Largest>},
    {"GetVar", Exactly<1, GetVar>},
    {"SetVar", Exactly<2, SetVar>},
    {"Decode", AtLeast<3, Decode>},
    {"YearDays", Unary<AsFloat, YearDays, UInt16Of>},
    {"YearFrac", Exactly<2, YearFracOf>},
    {"Mod", Exactly<2, Modulo>},
    {"Random", Unary<AsInteger, RandomBelow, Value::Int32>},
};

}  // namespace

std::span<const NativeReg> StandardFunctions() { return kStandardFunctions; }

void RegisterStandardFunctions(script::TPasCalc& calc) { RegisterGroup(calc, kStandardFunctions); }

}  // namespace ox::scriptlib
