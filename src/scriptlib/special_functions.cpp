#include "scriptlib/special_functions.h"

#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

using elements::TOxImage;
using elements::TOxScreen;
using scene::TOxElement;

// Scripts see these functions after the engine functions and in exactly this order
// (FunctionIndex), so the order is kept; each game script calls a function by the name beside it.
constexpr NativeReg kSpecialFunctions[] = {
    {"SableLev6_1", OnFirst<TOxImage, StepColumnsCountedByParent>},
    {"SableLev6_2", OnFirst<TOxElement, MarkMatchedGroups>},
    {"SableLev6_3", OnFirst<TOxImage, DragPieceUnderMouse>},
    {"SableLev6Log_Rend", OnFirst<TOxImage, DrawHubRingPuzzle>},
    {"SableLev6Log_Upd", OnFirst<TOxImage, CheckHubRingPuzzle>},
    {"SableLev4In_3", OnFirst<TOxImage, DragPieceUnderMouse>},
    {"SableLev4InLog_Rend", OnFirst<TOxImage, DrawRingPuzzle>},
    {"SableLev4InLog_Upd", OnFirst<TOxImage, CheckRingPuzzle>},
    {"SableLev7Log", OnFirst<TOxImage, MoveTowerDiscWithSound>},
    {"SableLev15Log", OnFirst<TOxImage, MoveTowerDisc>},
    {"SableLev12Log", OnFirst<TOxImage, TurnPieces>},
    {"SableGIProg", OnFirst<TOxImage, ShowLevelProgress>},
    {"SableLevProg", OnFirst<TOxScreen, TotalLevelPoints>},
    {"SableMapProg", OnFirst<TOxImage, ShowMapProgress>},
    {"SableLev6InLog", OnFirst<TOxImage, ShowPieceStates>},
    {"SableLev6InLogO", OnFirst<TOxImage, ShowPieceInPlace>},
    {"StarsToUp", OnFirst<TOxImage, StarsToUp>},
    {"StarsTopToUp", OnFirst<TOxImage, StarsTopToUp>},
    {"StarsAll", OnFirst<TOxImage, StarsAll>},
    {"StarsAll2", OnFirst<TOxImage, StarsAll2>},
    {"StarsAll3", OnFirst<TOxImage, StarsAll3>},
    {"WrenShar_1", OnFirst<TOxImage, StepColumnsCountedByGrandparent>},
    {"WrenGIListUpdate", OnFirst<TOxImage, UpdateItemList>},
    {"WrenLevel2LogPr", OnFirst<TOxImage, MatchChosenPair>},
    {"Wren2Lev12Log", OnFirst<TOxImage, TurnPiecesCounted>},
    {"Wren2Lev20Log", OnFirst<TOxImage, PairAcrossLists>},
    {"Wren2Lev23Log", OnFirst<TOxImage, PairAcrossLists>},
    {"W2L4P", OnFirst<TOxImage, RevealUnderCursor>},
};

}  // namespace

std::span<const NativeReg> SpecialFunctions() { return kSpecialFunctions; }

void RegisterSpecialFunctions(script::TPasCalc& calc) { RegisterGroup(calc, kSpecialFunctions); }

}  // namespace ox::scriptlib
