// The operators on script values: the operand-class table chooses the family of a binary
// operator and both operands are converted to its kind.
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <type_traits>

#include "script/convert.h"
#include "script/operators.h"
#include "script/run_limit.h"
#include "script/script_error.h"

namespace ox::script {

namespace {

using OC = OperandClass;

// The family table, rows left operand, columns right operand (E I L F S B D).
const OC kFamily[7][7] = {
    /* E */ {OC::E, OC::I, OC::L, OC::F, OC::S, OC::B, OC::D},
    /* I */ {OC::I, OC::I, OC::L, OC::F, OC::F, OC::I, OC::D},
    /* L */ {OC::L, OC::L, OC::L, OC::F, OC::F, OC::L, OC::D},
    /* F */ {OC::F, OC::F, OC::F, OC::F, OC::F, OC::F, OC::D},
    /* S */ {OC::S, OC::F, OC::F, OC::F, OC::S, OC::B, OC::D},
    /* B */ {OC::B, OC::I, OC::L, OC::F, OC::B, OC::B, OC::D},
    /* D */ {OC::D, OC::D, OC::D, OC::D, OC::D, OC::D, OC::D},
};

bool IsCompare(int op) { return op == tkEq || (op >= tkNe && op <= tkLe); }

template <typename T>
bool CompareResult(int op, const T& a, const T& b) {
  switch (op) {
    case tkEq: return a == b;
    case tkNe: return a != b;
    case tkGt: return a > b;
    case tkLt: return a < b;
    case tkGe: return a >= b;
    case tkLe: return a <= b;
    default: return false;
  }
}

// The integer operators on one width (division gives a float and is not among them); false
// for an overflow, a shift outside the width, or an operator integers do not have.
template <class T>
bool IntegerArithmetic(int op, T x, T y, T& r) {
  using Unsigned = std::make_unsigned_t<T>;
  constexpr T kBits = static_cast<T>(sizeof(T) * 8);
  switch (op) {
    case tkPlus: return !__builtin_add_overflow(x, y, &r);
    case tkMinus: return !__builtin_sub_overflow(x, y, &r);
    case tkMul: return !__builtin_mul_overflow(x, y, &r);
    case tkAnd: r = x & y; return true;
    case tkOr: r = x | y; return true;
    case tkXor: r = x ^ y; return true;
    case tkShl:
      if (y < 0 || y >= kBits) return false;
      r = static_cast<T>(static_cast<Unsigned>(x) << y);
      return true;
    case tkShr:
      if (y < 0 || y >= kBits) return false;
      r = static_cast<T>(static_cast<Unsigned>(x) >> y);
      return true;
    default: return false;
  }
}

// Comparisons, division to a float, then the other integer operators.
template <class T>
bool IntegerOp(int op, T x, T y, Value& out, Value (*make)(T)) {
  if (IsCompare(op)) return out = Value::Bool(CompareResult(op, x, y)), true;
  if (op == tkDiv) {
    if (y == 0) return false;
    out = Value::Float(static_cast<double>(x) / static_cast<double>(y));
    return true;
  }
  T r = 0;
  if (!IntegerArithmetic(op, x, y, r)) return false;
  out = make(r);
  return true;
}

bool IntOp(int op, const Value& a, const Value& b, Value& out) {
  std::int32_t x = 0, y = 0;
  if (!ToInt32(a, x) || !ToInt32(b, y)) return false;
  return IntegerOp<std::int32_t>(op, x, y, out, &Value::Int32);
}

bool LongOp(int op, const Value& a, const Value& b, Value& out) {
  std::int64_t x = 0, y = 0;
  if (!ToInt64(a, x) || !ToInt64(b, y)) return false;
  return IntegerOp<std::int64_t>(op, x, y, out, &Value::Int64);
}

// + - * / and comparisons on floats; AND OR XOR SHL SHR through integers; any other operator
// fails.
bool FloatOp(int op, const Value& a, const Value& b, Value& out) {
  double x = 0, y = 0;
  if (op == tkAnd || op == tkOr || op == tkXor || op == tkShl || op == tkShr)
    return IntOp(op, a, b, out);
  if (!ToFloat(a, x) || !ToFloat(b, y)) return false;
  if (IsCompare(op)) return out = Value::Bool(CompareResult(op, x, y)), true;
  double r = 0;
  switch (op) {
    case tkPlus: r = x + y; break;
    case tkMinus: r = x - y; break;
    case tkMul: r = x * y; break;
    case tkDiv:
      if (y == 0) return false;
      r = x / y;
      break;
    default: return false;
  }
  if (!std::isfinite(r)) return false;
  out = Value::Float(r);
  return true;
}

bool StringOp(int op, const Value& a, const Value& b, Value& out) {
  if (op == tkPlus) {
    std::string x, y;
    ToString(b, y);
    // A string left operand is copied once, straight into the result; any other is converted
    // in place.
    const std::string* left = a.IsString() ? &a.s : (ToString(a, x), &x);
    if (y.size() > kMaxStringBytes - std::min(left->size(), kMaxStringBytes)) throw StringTooLong();
    if (left != &x) {
      x.reserve(left->size() + y.size());
      x.append(*left);
    }
    x += y;
    out = Value::String(std::move(x));
    return true;
  }
  if (IsCompare(op)) {
    std::string x, y;
    ToString(a, x);
    ToString(b, y);
    out = Value::Bool(CompareResult(op, x, y));
    return true;
  }
  if (op == tkMinus || op == tkMul || op == tkDiv) return FloatOp(op, a, b, out);
  return IntOp(op, a, b, out);
}

bool BoolOp(int op, const Value& a, const Value& b, Value& out) {
  if (op == tkAnd || op == tkOr || op == tkXor || IsCompare(op)) {
    bool x = false, y = false;
    if (!ToBool(a, x) || !ToBool(b, y)) return false;
    bool r = false;
    switch (op) {
      case tkAnd: r = x && y; break;
      case tkOr: r = x || y; break;
      case tkXor: r = x != y; break;
      default: r = CompareResult(op, static_cast<int>(x), static_cast<int>(y)); break;
    }
    out = Value::Bool(r);
    return true;
  }
  if (op == tkShl || op == tkShr) return IntOp(op, a, b, out);
  return FloatOp(op, a, b, out);
}

bool DateOp(int op, const Value& a, const Value& b, Value& out) {
  if (op == tkPlus || op == tkMinus) {
    double x = 0, y = 0;
    if (!ToFloat(a, x) || !ToFloat(b, y)) return false;
    const double r = op == tkPlus ? x + y : x - y;
    if (!std::isfinite(r)) return false;
    const bool bothDates = a.kind == Kind::Date && b.kind == Kind::Date;
    out = (op == tkMinus && bothDates) ? Value::Float(r) : Value::Date(r);
    return true;
  }
  if (IsCompare(op) || op == tkMul || op == tkDiv) return FloatOp(op, a, b, out);
  return IntOp(op, a, b, out);
}

bool Power(const Value& a, const Value& b, Value& out) {
  double x = 0, y = 0;
  if (!ToFloat(a, x) || !ToFloat(b, y)) return false;
  if (!(std::fabs(x) <= FLT_MAX) || !(std::fabs(y) <= FLT_MAX)) return false;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const double r = std::pow(static_cast<double>(fx), static_cast<double>(fy));
  if (!std::isfinite(r)) return false;
  out = Value::Float(r);
  return true;
}

}  // namespace

bool ApplyOperator(int op, const Value& a, const Value& b, Value& out) {
  if (op == tkPow) return Power(a, b, out);
  if (IsSmallInteger(a) && IsSmallInteger(b))
    return IntegerOp<std::int32_t>(op, static_cast<std::int32_t>(a.i),
                                   static_cast<std::int32_t>(b.i), out, &Value::Int32);
  OC fam = kFamily[static_cast<int>(ClassOf(a.kind))][static_cast<int>(ClassOf(b.kind))];
  switch (fam) {
    case OC::E:
    case OC::I: return IntOp(op, a, b, out);
    case OC::L: return LongOp(op, a, b, out);
    case OC::F: return FloatOp(op, a, b, out);
    case OC::S: return StringOp(op, a, b, out);
    case OC::B: return BoolOp(op, a, b, out);
    case OC::D: return DateOp(op, a, b, out);
  }
  return false;
}

bool ApplyPrefix(int op, Value& v) {
  if (op == tkPlus) return true;
  if (op == tkNot) {
    double d = 0;
    if (!ToFloat(v, d)) return false;
    v = Value::UInt8(d == 0 ? 1 : 0);
    return true;
  }
  bool ok = true;
  switch (ClassOf(v.kind)) {
    case OC::E: v = Value::Int32(0); break;
    case OC::I:
    case OC::B: {
      std::int32_t x = 0;
      ok = ToInt32(v, x) && x != INT32_MIN;
      if (ok) v = Value::Int32(-x);
      break;
    }
    case OC::L: {
      std::int64_t x = 0;
      ok = ToInt64(v, x) && x != INT64_MIN;
      if (ok) v = Value::Int64(-x);
      break;
    }
    case OC::F:
    case OC::S: {
      double x = 0;
      ok = ToFloat(v, x);
      if (ok) v = Value::Float(-x);
      break;
    }
    case OC::D: v.f = -v.f; break;
  }
  return ok;
}

}  // namespace ox::script
