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

#include <string>
#include <vector>

#include "script/pascalc.h"

namespace ox::scriptlib {

// Registers the standard functions with SetFunction, in the engine's fixed order, followed by
// "Random" (it belongs to the engine functions' group but is given with the standard ones).
void RegisterStandardFunctions(script::TPasCalc& calc);

// The names RegisterStandardFunctions registers, in order.
const std::vector<std::string>& StandardFunctionNames();

}  // namespace ox::scriptlib
