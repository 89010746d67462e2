// The games' special functions: the logic of particular puzzle levels and the sparkle effects
// that outline pictures, registered after the engine functions. Each takes an element first
// and does nothing when it is missing or of another class; each returns true.
#pragma once

#include <span>

#include "script/pascalc.h"
#include "scriptlib/native_support.h"

namespace ox::scriptlib {

// In registration order.
std::span<const NativeReg> SpecialFunctions();
void RegisterSpecialFunctions(script::TPasCalc& calc);

}  // namespace ox::scriptlib
