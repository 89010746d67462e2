// Arithmetic: Abs ... Sqrt, Inc, Dec, Min, Max, Mod and Random. A float result that is not
// finite (Ln(0), Sqrt(-1), Exp(1000)) is an error, never a value.
#include <cmath>

#include "platform/checked.h"
#include "platform/random.h"
#include "script/operators.h"
#include "script/script_error.h"
#include "scriptlib/native_support.h"

namespace ox::scriptlib {

namespace {

double Finite(double v) {
  if (std::isnan(v)) throw script::ScriptError("Invalid floating point operation");
  if (std::isinf(v)) throw script::ScriptError("Floating point overflow");
  return v;
}

std::int32_t ToInt32Checked(double v) {
  if (!(v >= -2147483648.0 && v <= 2147483647.0)) throw RangeError("Range check error");
  return static_cast<std::int32_t>(v);
}

// A one-argument float function.
script::NativeFunction FloatFunction(double (*f)(double)) {
  return WithArguments(1, [f](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Float(Finite(f(AsFloat(a[0].Val))));
    return true;
  });
}

// A one-argument function giving a 32-bit integer from the float argument.
script::NativeFunction IntegerFunction(double (*f)(double)) {
  return WithArguments(1, [f](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Int32(ToInt32Checked(f(AsFloat(a[0].Val))));
    return true;
  });
}

// Inc and Dec: X := X op N under the operators' rules.
script::NativeFunction Step(int op) {
  return [op](TPasCalc&, TVarList& a, TVar&) {
    if (a.Count() != 1 && a.Count() != 2) return false;
    const Value step = a.Count() == 2 ? a[1].Val : Value::Int32(1);
    Value out;
    if (!script::ApplyOperator(op, a[0].Val, step, out))
      throw script::ScriptError(op == script::tkPlus ? "Integer overflow or invalid operand in Inc"
                                                     : "Integer overflow or invalid operand in Dec");
    a[0].Val = out;
    return true;
  };
}

bool Less(const Value& x, const Value& y) {
  switch (x.kind) {
    case script::Kind::Float: case script::Kind::Date: return x.f < y.f;
    case script::Kind::String: return x.s < y.s;
    default: return x.i < y.i;
  }
}

// Min and Max: every argument of the first one's kind; the earliest of equal values wins.
script::NativeFunction Extreme(bool largest) {
  return WithArguments(1, [largest](TPasCalc&, TVarList& a, Value& r) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < a.Count(); ++i) {
      if (a[i].Val.kind != a[0].Val.kind) return false;
      if (largest ? Less(a[best].Val, a[i].Val) : Less(a[i].Val, a[best].Val)) best = i;
    }
    r = a[best].Val;
    return true;
  }, true);
}

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
double Trunc(double x) { return std::trunc(x); }
double Ceil(double x) { return std::ceil(x); }
double Floor(double x) { return std::floor(x); }

}  // namespace

void AddArithmeticFunctions(FunctionTable& t) {
  t["Abs"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Float(std::fabs(AsFloat(a[0].Val)));
    return true;
  });
  t["Int"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    const double v = std::trunc(AsFloat(a[0].Val));
    if (!(v >= -9223372036854775808.0 && v < 9223372036854775808.0)) throw RangeError("Range check error");
    r = Value::Int64(static_cast<std::int64_t>(v));
    return true;
  });
  t["Frac"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    const double v = AsFloat(a[0].Val);
    r = Value::Float(Finite(v - std::trunc(v)));
    return true;
  });
  t["Round"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Int32(RoundToInt32(AsFloat(a[0].Val)));
    return true;
  });
  t["Ceil"] = IntegerFunction(Ceil);
  t["Floor"] = IntegerFunction(Floor);
  t["Trunc"] = IntegerFunction(Trunc);
  t["Sin"] = FloatFunction(Sin);
  t["Sign"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    const std::int64_t v = AsInteger64(a[0].Val);
    r = Int8Value(v < 0 ? -1 : v > 0 ? 1 : 0);
    return true;
  });
  t["Cos"] = FloatFunction(Cos);
  t["Tan"] = FloatFunction(Tan);
  t["ArcSin"] = FloatFunction(ArcSin);
  t["ArcCos"] = FloatFunction(ArcCos);
  t["ArcTan"] = FloatFunction(ArcTan);
  t["Exp"] = FloatFunction(Exp);
  t["Ln"] = FloatFunction(Ln);
  t["IntPower"] = WithArguments(2, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Float(Finite(std::pow(AsFloat(a[0].Val), Truncated(a[1].Val))));
    return true;
  });
  t["Sqr"] = FloatFunction(Sqr);
  t["Sqrt"] = FloatFunction(Sqrt);
  t["Inc"] = Step(script::tkPlus);
  t["Dec"] = Step(script::tkMinus);
  t["Min"] = Extreme(false);
  t["Max"] = Extreme(true);
  t["Mod"] = WithArguments(2, [](TPasCalc&, TVarList& a, Value& r) {
    const std::int32_t x = AsInteger(a[0].Val);
    const std::int32_t y = AsInteger(a[1].Val);
    if (y == 0) throw script::ScriptError("Division by zero");
    r = Value::Int32(y == -1 ? 0 : x % y);
    return true;
  });
  t["Random"] = WithArguments(1, [](TPasCalc&, TVarList& a, Value& r) {
    r = Value::Int32(platform::RandomBelow(AsInteger(a[0].Val)));
    return true;
  });
}

}  // namespace ox::scriptlib
