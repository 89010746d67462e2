#include "scriptlib/special_functions.h"

#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

using elements::TOxImage;
using elements::TOxScreen;

constexpr NativeReg kSpecialFunctions[] = {
    {"SableLev6Log_Rend", OnFirst<TOxImage, DrawHubRingPuzzle>},
    {"SableLev6Log_Upd", OnFirst<TOxImage, CheckHubRingPuzzle>},
    {"SableLev4InLog_Rend", OnFirst<TOxImage, DrawRingPuzzle>},
    {"SableLev4InLog_Upd", OnFirst<TOxImage, CheckRingPuzzle>},
    {"SableLevProg", OnFirst<TOxScreen, TotalLevelPoints>},
    {"StarsToUp", OnFirst<TOxImage, StarsToUp>},
    {"StarsTopToUp", OnFirst<TOxImage, StarsTopToUp>},
    {"StarsAll", OnFirst<TOxImage, StarsAll>},
    {"StarsAll2", OnFirst<TOxImage, StarsAll2>},
    {"StarsAll3", OnFirst<TOxImage, StarsAll3>},
    {"W2L4P", OnFirst<TOxImage, RevealUnderCursor>},
};

}  // namespace

std::span<const NativeReg> SpecialFunctions() { return kSpecialFunctions; }

void RegisterSpecialFunctions(script::TPasCalc& calc) { RegisterGroup(calc, kSpecialFunctions); }

}  // namespace ox::scriptlib
