// Arithmetic: the checks on float results, Int, IntPower, Inc, Dec, Min, Max and Mod.
#include <cmath>

#include "platform/core/checked.h"
#include "script/operators.h"
#include "script/script_error.h"
#include "scriptlib/standard_natives.h"

namespace ox::scriptlib {

namespace {

// Inc and Dec.
bool Step(int op, TVarList& a) {
  if (a.Count() != 1 && a.Count() != 2) return false;
  const Value step = a.Count() == 2 ? a[1].Val : Value::Int32(1);
  Value out;
  if (!script::ApplyOperator(op, a[0].Val, step, out))
    throw script::ScriptError(op == script::tkPlus ? "Integer overflow or invalid operand in Inc"
                                                   : "Integer overflow or invalid operand in Dec");
  a[0].Val = out;
  return true;
}

bool Less(const Value& x, const Value& y) {
  switch (x.kind) {
    case script::Kind::Float: case script::Kind::Date: return x.f < y.f;
    case script::Kind::String: return x.s < y.s;
    default: return x.i < y.i;
  }
}

bool Extreme(bool largest, TVarList& a, Value& r) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < a.Count(); ++i) {
    if (a[i].Val.kind != a[0].Val.kind) return false;
    if (largest ? Less(a[best].Val, a[i].Val) : Less(a[i].Val, a[best].Val)) best = i;
  }
  r = a[best].Val;
  return true;
}

}  // namespace

Value FiniteFloat(double v) {
  if (std::isnan(v)) throw script::ScriptError("Invalid floating point operation");
  if (std::isinf(v)) throw script::ScriptError("Floating point overflow");
  return Value::Float(v);
}

Value Int32OfWhole(double v) {
  if (!(v >= -2147483648.0 && v <= 2147483647.0)) throw RangeError("Range check error");
  return Value::Int32(static_cast<std::int32_t>(v));
}

bool IntOf(TPasCalc&, TVarList& a, Value& r) {
  const double v = std::trunc(AsFloat(a[0].Val));
  if (!(v >= -9223372036854775808.0 && v < 9223372036854775808.0)) throw RangeError("Range check error");
  r = Value::Int64(static_cast<std::int64_t>(v));
  return true;
}

bool IntPowerOf(TPasCalc&, TVarList& a, Value& r) {
  r = FiniteFloat(std::pow(AsFloat(a[0].Val), Truncated(a[1].Val)));
  return true;
}

bool Increment(TPasCalc&, TVarList& a, TVar&) { return Step(script::tkPlus, a); }
bool Decrement(TPasCalc&, TVarList& a, TVar&) { return Step(script::tkMinus, a); }
bool Smallest(TPasCalc&, TVarList& a, Value& r) { return Extreme(false, a, r); }
bool Largest(TPasCalc&, TVarList& a, Value& r) { return Extreme(true, a, r); }

bool Modulo(TPasCalc&, TVarList& a, Value& r) {
  const std::int32_t x = AsInteger(a[0].Val);
  const std::int32_t y = AsInteger(a[1].Val);
  if (y == 0) throw script::ScriptError("Division by zero");
  r = Value::Int32(y == -1 ? 0 : x % y);
  return true;
}

}  // namespace ox::scriptlib
