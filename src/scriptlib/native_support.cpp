#include "scriptlib/native_support.h"

#include <cmath>

#include "platform/core/checked.h"
#include "script/convert.h"
#include "script/script_error.h"

namespace ox::scriptlib {

namespace {

[[noreturn]] void CannotConvert(const Value& v, const char* target) {
  throw script::ScriptError(std::string("Could not convert variant of type (") + script::KindName(v.kind) +
                            ") into type (" + target + ")");
}

}  // namespace

void RegisterGroup(TPasCalc& calc, std::span<const NativeReg> group) {
  for (const NativeReg& reg : group) calc.SetFunction(std::string(reg.name), reg.function);
}

bool IsVariable(const TVar& arg) { return arg.Name == "VAR"; }

std::string AsText(const Value& v) { return script::ToString(v); }

double AsFloat(const Value& v) {
  double out = 0;
  if (!script::ToFloat(v, out)) CannotConvert(v, "Double");
  return out;
}

std::int32_t AsInteger(const Value& v) {
  std::int32_t out = 0;
  if (!script::ToInt32(v, out)) CannotConvert(v, "Integer");
  return out;
}

std::int64_t AsInteger64(const Value& v) {
  std::int64_t out = 0;
  if (!script::ToInt64(v, out)) CannotConvert(v, "Int64");
  return out;
}

std::int32_t Truncated(const Value& v) {
  const double t = std::trunc(AsFloat(v));
  if (!(t >= -2147483648.0 && t <= 2147483647.0)) throw RangeError("Range check error");
  return static_cast<std::int32_t>(t);
}

Value UInt16Value(int v) { return Value{script::Kind::UInt16, v, 0.0, {}}; }
Value Int8Value(int v) { return Value{script::Kind::Int8, v, 0.0, {}}; }

}  // namespace ox::scriptlib
