// Functions that games call by name for the logic of particular puzzles and for sparkles that
// outline pictures. Each takes an element first, does nothing when it is missing or of another
// class, and returns true.
#pragma once

#include <span>

#include "script/pascalc.h"
#include "scriptlib/native_support.h"

namespace ox::scriptlib {

// In registration order.
std::span<const NativeReg> SpecialFunctions();
void RegisterSpecialFunctions(script::TPasCalc& calc);

}  // namespace ox::scriptlib
