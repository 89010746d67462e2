#include "scriptlib/engine_functions.h"

#include "scene/scene_state.h"
#include "scriptlib/engine_support.h"
#include "scriptlib/special_functions.h"
#include "scriptlib/standard_functions.h"

namespace ox::scriptlib {

namespace {

using scene::TOxDB;
using scene::TOxElement;
using Elements = std::vector<TOxElement*>;

constexpr NativeReg kEngineFunctions[] = {
    {"ListAdd", Always<AddToList>},
    {"ListDel", Always<RemoveFromList>},
    {"AnimStart", Always<AnimStart>},
    {"AnimStop", Always<AnimStop>},
    {"AnimBreak", Always<AnimBreak>},
    {"AnimPlay", Always<AnimPlay>},
    {"Update", OnElement<[](TOxElement& e) { e.Update(); }>},
    {"Process", OnElement<[](TOxElement& e) { e.Process(); }>},
    {"MsDown", OnElement<[](TOxElement& e) { e.MouseDown(); }>},
    {"MsMove", OnElement<[](TOxElement& e) { e.MouseMove(); }>},
    {"Init", OnElement<[](TOxElement& e) { e.InitPr(); }>},
    {"Show", OnElement<[](TOxElement& e) { e.Show(); }>},
    {"SetFocus", OnElement<FocusText>},
    {"ToFront", OnElement<[](TOxElement& e) { e.MoveToFront(); }>},
    {"MoveTo", Always<MoveElement>},
    {"SetScreen", OnScreen<[](TOxDB& root, TOxElement& screen, const Elements& also) {
       root.BeginScreenSwitch(screen, also);
     }>},
    {"FastSetScreen", OnScreen<[](TOxDB& root, TOxElement& screen, const Elements& also) {
       root.FastSetScreen(screen, also, true);
     }>},
    {"FastSetScreenNS", OnScreen<[](TOxDB& root, TOxElement& screen, const Elements& also) {
       root.FastSetScreen(screen, also, false);
     }>},
    {"LoadIm", OnRoot<[](TOxDB& root) { root.FinishScreenSwitch(); }>},
    {"EndLoadIm", Always<[](TVarList&, Value&) { scene::Scene().loading = false; }>},
    {"SaveState", OnRoot<[](TOxDB& root) { root.SaveState(); }>},
    {"LoadState", OnRoot<[](TOxDB& root) { root.LoadState(); }>},
    {"TimerReset", OnRoot<[](TOxDB& root) {
       if (root.Services().resetTimer) root.Services().resetTimer();
     }>},
    {"GetAlpha", Always<PixelPart<[](std::uint32_t texel) { return (texel >> 24); }>>},
    {"GetPixel", Always<PixelPart<[](std::uint32_t texel) { return texel & 0xFFFFFFu; }>>},
    {"ProcEf", Always<ProcessEffect>},
    {"GetText", Exactly<1, GetTextOf>},
    {"PlaySnd", Exactly<1, PlaySample>},
    {"PlayMuz", Exactly<1, PlayMusic>},
    {"StopMuz", Exactly<1, StopMusic>},
    {"ExitGame", Always<[](TVarList&, Value&) { scene::Scene().quitRequested = true; }>},
    {"DelFile", Exactly<1, Refusing<DelFile>>},
    {"GetIni", Exactly<3, Refusing<GetIni>>},
    {"SetIni", Exactly<3, Refusing<SetIni>>},
    {"AddStar", AtLeast<8, Refusing<AddStar>>},
    {"ImStarsR", Always<ScatterStars>},
};

}  // namespace

std::span<const NativeReg> EngineFunctions() { return kEngineFunctions; }

void RegisterEngineFunctions(script::TPasCalc& calc) { RegisterGroup(calc, kEngineFunctions); }

void RegisterAllFunctions(script::TPasCalc& calc) {
  RegisterStandardFunctions(calc);
  RegisterEngineFunctions(calc);
  RegisterSpecialFunctions(calc);
}

}  // namespace ox::scriptlib
