// The puzzle helpers and the sparkle makers that game scripts call by name (SableLev6_1,
// StarsToUp, ...). The first argument is always an element; a call without one, or with an
// element of a class the helper does not work on, changes nothing. Every call returns true.
#pragma once

#include <span>

#include "script/pascalc.h"
#include "scriptlib/native_support.h"

namespace ox::scriptlib {

// In registration order.
std::span<const NativeReg> SpecialFunctions();
void RegisterSpecialFunctions(script::TPasCalc& calc);

}  // namespace ox::scriptlib
