// Variables and choice: GetVar, SetVar, Decode.
#include "script/operators.h"
#include "scriptlib/standard_natives.h"

namespace ox::scriptlib {

bool GetVar(TPasCalc& calc, TVarList& a, Value& r) {
  TVar found;
  r = calc.GetValue(AsText(a[0].Val), found) ? found.Val : Value::UInt32(0);
  return true;
}

bool SetVar(TPasCalc& calc, TVarList& a, Value&) { return calc.SetValue(AsText(a[0].Val), a[1].Val); }

namespace {

// Keys that the "=" operator cannot compare with the selector do not match.
bool Matches(const Value& selector, const Value& key) {
  Value equal;
  return script::ApplyOperator(script::tkEq, selector, key, equal) && equal.kind == script::Kind::Bool && equal.i != 0;
}

}  // namespace

bool Decode(TPasCalc&, TVarList& a, Value& r) {
  const std::size_t n = a.Count();
  for (std::size_t k = 1; k + 1 < n; k += 2) {
    if (Matches(a[0].Val, a[k].Val)) {
      r = a[k + 1].Val;
      return true;
    }
  }
  if (n % 2 != 0) return false;
  r = a[n - 1].Val;
  return true;
}

}  // namespace ox::scriptlib
