// The standard native functions that every interpreter gets at start-up: strings and number
// conversions, dates and times, arithmetic, and access to variables by name.
//
// Each function checks its argument count and returns false for a wrong one or for a missing
// variable where it writes a by-reference result (Val, Insert, Delete, DecodeDate, DecodeTime);
// conversion and arithmetic failures raise errors that the interpreter reports with the
// function's name. Date and number text uses the fixed settings of "scriptlib/date_text.h" and
// "scriptlib/decimal_text.h"; Length and DelLastChar follow the unicode switch of
// "scriptlib/text_functions.h"; Now, Date and Time read "scriptlib/clock.h".
#pragma once

#include <span>

#include "script/pascalc.h"
#include "scriptlib/native_support.h"

namespace ox::scriptlib {

// The standard group in the engine's fixed order, followed by "Random" (it belongs to the
// engine functions' group but is given with the standard ones).
std::span<const NativeReg> StandardFunctions();

// Registers StandardFunctions() in order.
void RegisterStandardFunctions(script::TPasCalc& calc);

}  // namespace ox::scriptlib
