// The binary operators on script values: the operand-class table chooses the
// family (I, L, F, S, B, D, E) and both operands are converted to its kind. The language-key
// look-up of double-quoted operands is not done here (the evaluator does it first).
#pragma once

#include <cstdint>

#include "script/tokens.h"
#include "script/value.h"

namespace ox::script {

// Integers of the small class (8 and 32 bits) within 32 bits: every operator takes them as
// their own value, with no conversion.
inline bool IsSmallInteger(const Value& v) {
  return (v.kind == Kind::Int32 || v.kind == Kind::UInt8 || v.kind == Kind::Int8) &&
         v.i == static_cast<std::int32_t>(v.i);
}

// The common case of a binary operator: both operands small integers and `op` one of + - *
// AND OR XOR or a comparison, without overflow. `out` (which may be either operand) then holds
// what ApplyOperator would give; false leaves it as it was.
inline bool CombineSmallIntegers(int op, const Value& left, const Value& right, Value& out) {
  if (!IsSmallInteger(left) || !IsSmallInteger(right)) return false;
  const auto x = static_cast<std::int32_t>(left.i), y = static_cast<std::int32_t>(right.i);
  std::int32_t r = 0;
  Kind kind = Kind::Int32;
  switch (op) {
    case tkPlus: if (__builtin_add_overflow(x, y, &r)) return false; break;
    case tkMinus: if (__builtin_sub_overflow(x, y, &r)) return false; break;
    case tkMul: if (__builtin_mul_overflow(x, y, &r)) return false; break;
    case tkAnd: r = x & y; break;
    case tkOr: r = x | y; break;
    case tkXor: r = x ^ y; break;
    case tkEq: r = x == y, kind = Kind::Bool; break;
    case tkNe: r = x != y, kind = Kind::Bool; break;
    case tkGt: r = x > y, kind = Kind::Bool; break;
    case tkLt: r = x < y, kind = Kind::Bool; break;
    case tkGe: r = x >= y, kind = Kind::Bool; break;
    case tkLe: r = x <= y, kind = Kind::Bool; break;
    default: return false;
  }
  out.SetInteger(kind, r);
  return true;
}

// `op` is a token code: tkOr, tkXor, tkAnd, tkEq, tkNe, tkGt, tkLt, tkGe, tkLe, tkPlus,
// tkMinus, tkMul, tkDiv, tkPow, tkShl, tkShr. False when the operation fails (operands that
// do not convert, division by zero, overflow, a shift count outside the width, a result that
// is not finite): the evaluator reports error 5 "Invalid operand types for "op"". A
// concatenation longer than kMaxStringBytes throws StringTooLong.
bool ApplyOperator(int op, const Value& left, const Value& right, Value& out);

// A prefix operator (tkNot, tkPlus, tkMinus) applied in place: NOT gives 1 for zero and 0
// otherwise, as an 8-bit integer; minus negates within the operand's class. False when the
// operand does not convert or its negation overflows.
bool ApplyPrefix(int op, Value& v);

}  // namespace ox::script
