// The engine functions: the native functions through which scripts act on the scene, the
// screens, the saved state and the settings. Most never refuse: with too few arguments, a
// value that is no element reference, or an element of another class they do nothing and
// return true. They reach the game through the scene state's root.
#pragma once

#include <span>

#include "script/pascalc.h"
#include "scriptlib/native_support.h"

namespace ox::scriptlib {

// The engine group in registration order.
std::span<const NativeReg> EngineFunctions();
void RegisterEngineFunctions(script::TPasCalc& calc);
// The standard functions, the engine functions, then the puzzle and sparkle functions: what every
// interpreter of the pool gets.
void RegisterAllFunctions(script::TPasCalc& calc);

}  // namespace ox::scriptlib
