// The binary operators by precedence, lowest first; every level is left-associative. Below the
// last level come one optional prefix (NOT, +, -) and the primary.
#pragma once

#include "script/tokens.h"

namespace ox::script {

constexpr int kPrecedenceLevels = 6;

constexpr bool IsOperatorOfLevel(int level, int code) {
  switch (level) {
    case 0: return code == tkOr || code == tkXor;
    case 1: return code == tkAnd;
    case 2: return code == tkEq || (code >= tkNe && code <= tkLe);
    case 3: return code == tkPlus || code == tkMinus;
    case 4: return code == tkMul || code == tkDiv;
    case 5: return code == tkPow || code == tkShl || code == tkShr;
    default: return false;
  }
}

}  // namespace ox::script
