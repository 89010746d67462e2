// The standard functions whose bodies take more than a line, by family; the registration list
// in standard_functions.cpp names them. Each is a NativeBody: false for unacceptable arguments.
#pragma once

#include "scriptlib/native_support.h"

namespace ox::scriptlib {

// string_natives.cpp: Val, Insert, Delete (by-reference results) and Format.
bool ValInto(TPasCalc&, TVarList& args, Value& result);
bool InsertInto(TPasCalc&, TVarList& args, Value& result);
bool DeleteFrom(TPasCalc&, TVarList& args, Value& result);
bool FormatValues(TPasCalc&, TVarList& args, Value& result);

// date_natives.cpp: DecodeDate and DecodeTime (by-reference results).
bool DecodeDateInto(TPasCalc&, TVarList& args, Value& result);
bool DecodeTimeInto(TPasCalc&, TVarList& args, Value& result);

// arithmetic_natives.cpp. A float result that is not finite (Ln(0), Sqrt(-1), Exp(1000)) is an
// error, never a value.
Value FiniteFloat(double v);
// RangeError outside 32 bits.
Value Int32OfWhole(double v);
bool IntOf(TPasCalc&, TVarList& args, Value& result);
bool IntPowerOf(TPasCalc&, TVarList& args, Value& result);
// Inc and Dec: X := X op N under the operators' rules, N 1 when not given.
bool Increment(TPasCalc&, TVarList& args, TVar& result);
bool Decrement(TPasCalc&, TVarList& args, TVar& result);
// Min and Max: every argument of the first one's kind; the earliest of equal values wins.
bool Smallest(TPasCalc&, TVarList& args, Value& result);
bool Largest(TPasCalc&, TVarList& args, Value& result);
bool Modulo(TPasCalc&, TVarList& args, Value& result);

// variable_natives.cpp: GetVar, SetVar, Decode.
bool GetVar(TPasCalc& calc, TVarList& args, Value& result);
bool SetVar(TPasCalc& calc, TVarList& args, Value& result);
bool Decode(TPasCalc&, TVarList& args, Value& result);

}  // namespace ox::scriptlib
