// The binary operators on script values: the operand-class table chooses the
// family (I, L, F, S, B, D, E) and both operands are converted to its kind. The language-key
// look-up of double-quoted operands is not done here (the evaluator does it first).
#pragma once

#include "script/tokens.h"
#include "script/value.h"

namespace ox::script {

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
