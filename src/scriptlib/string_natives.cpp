// Strings: the by-reference functions Val, Insert, Delete, and Format.
#include <vector>

#include "scriptlib/format.h"
#include "scriptlib/number_text.h"
#include "scriptlib/standard_natives.h"
#include "scriptlib/text_functions.h"

namespace ox::scriptlib {

namespace {

using script::Kind;

FormatArgument ToFormatArgument(const Value& v) {
  switch (v.kind) {
    case Kind::String: return FormatArgument::String(v.s);
    case Kind::Float: case Kind::Date: return FormatArgument::Float(v.f);
    case Kind::UInt32: case Kind::Int64: return FormatArgument::Int64(v.i);
    default: return FormatArgument::Int32(AsInteger(v));
  }
}

}  // namespace

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

}  // namespace ox::scriptlib
