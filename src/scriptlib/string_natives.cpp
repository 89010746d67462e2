// Strings and conversions: Val ... Format.
#include <vector>

#include "platform/case1251.h"
#include "scriptlib/format.h"
#include "scriptlib/native_support.h"
#include "scriptlib/number_text.h"
#include "scriptlib/text_functions.h"

namespace ox::scriptlib {

namespace {

using script::Kind;

// A one-argument function of the argument's text giving text.
script::NativeFunction TextToText(std::string (*f)(std::string_view)) {
  return WithArguments(1, [f](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(f(AsText(a[0].Val)));
    return true;
  });
}

FormatArgument ToFormatArgument(const Value& v) {
  switch (v.kind) {
    case Kind::String: return FormatArgument::String(v.s);
    case Kind::Float: case Kind::Date: return FormatArgument::Float(v.f);
    case Kind::UInt32: case Kind::Int64: return FormatArgument::Int64(v.i);
    default: return FormatArgument::Int32(AsInteger(v));
  }
}

bool ValInto(TPasCalc&, TVarList& a, Value&) {
  if (!IsVariable(a[1]) || !IsVariable(a[2])) return false;
  const ValResult v = scriptlib::Val(AsText(a[0].Val));
  a[1].Val = Value::Float(v.value);
  a[2].Val = Value::Int32(v.code);
  return true;
}

bool InsertInto(TPasCalc&, TVarList& a, Value& r) {
  if (!IsVariable(a[1])) return false;
  r = Value::String(InsertText(AsText(a[0].Val), AsText(a[1].Val), Truncated(a[2].Val)));
  a[1].Val = r;
  return true;
}

bool DeleteFrom(TPasCalc&, TVarList& a, Value& r) {
  if (!IsVariable(a[0])) return false;
  r = Value::String(DeleteText(AsText(a[0].Val), Truncated(a[1].Val), Truncated(a[2].Val)));
  a[0].Val = r;
  return true;
}

bool FormatValues(TPasCalc&, TVarList& a, Value& r) {
  std::vector<FormatArgument> arguments;
  for (std::size_t i = 1; i < a.Count(); ++i) arguments.push_back(ToFormatArgument(a[i].Val));
  r = Value::String(FormatScript(AsText(a[0].Val), arguments));
  return true;
}

}  // namespace

void AddStringFunctions(FunctionTable& t) {
  t["Val"] = WithArguments(3, ValInto);
  t["Char"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(std::string(1, static_cast<char>(AsInteger(a[0].Val) & 0xFF)));
    return true;
  });
  t["IntToStr"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(std::to_string(AsInteger64(a[0].Val)));
    return true;
  });
  t["StrToInt"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Int32(StrToInt(AsText(a[0].Val)));
    return true;
  });
  t["FloatToStr"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(FloatToStr(AsFloat(a[0].Val)));
    return true;
  });
  t["StrToFloat"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    double v = 0;
    if (!StrToFloat(TrimText(AsText(a[0].Val)), v)) return false;
    r = Value::Float(v);
    return true;
  });
  t["Copy"] = WithArguments(3, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(CopyText(AsText(a[0].Val), Truncated(a[1].Val), Truncated(a[2].Val)));
    return true;
  });
  t["Poss"] = WithArguments(2, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Int32(PositionOf(AsText(a[0].Val), AsText(a[1].Val)));
    return true;
  });
  t["Length"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Int32(TextLength(AsText(a[0].Val), UnicodeMode()));
    return true;
  });
  t["DelLastChar"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(WithoutLastChar(AsText(a[0].Val), UnicodeMode()));
    return true;
  });
  t["Insert"] = WithArguments(3, InsertInto);
  t["Delete"] = WithArguments(3, DeleteFrom);
  t["Trim"] = TextToText(TrimText);
  t["TrimLeft"] = TextToText(TrimLeftText);
  t["TrimRight"] = TextToText(TrimRightText);
  t["UpperCase"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(platform::UpperCase1251(AsText(a[0].Val)));
    return true;
  });
  t["LowerCase"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::String(platform::LowerCase1251(AsText(a[0].Val)));
    return true;
  });
  t["Format"] = WithArguments(2, FormatValues, true);
}

}  // namespace ox::scriptlib
