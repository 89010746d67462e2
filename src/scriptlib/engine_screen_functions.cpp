// Engine functions of screens, saved state and the frame timer: SetScreen, FastSetScreen,
// FastSetScreenNS, LoadIm, EndLoadIm, SaveState, LoadState, TimerReset, ExitGame.
#include "elements/screen.h"
#include "scene/scene_state.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

namespace {

// Runs a screen change when the first argument is a screen; further element arguments are
// loaded with it.
script::NativeFunction ScreenChange(void (*change)(scene::TOxDB&, scene::TOxElement&,
                                                   const std::vector<scene::TOxElement*>&)) {
  return Always([change](TVarList& args, Value&) {
    scene::TOxElement* screen = ElementArg(args, 0);
    scene::TOxDB* root = GameRoot();
    if (root == nullptr || dynamic_cast<elements::TOxScreen*>(screen) == nullptr) return;
    change(*root, *screen, ElementArgs(args, 1));
  });
}

script::NativeFunction OnRoot(void (*operation)(scene::TOxDB&)) {
  return Always([operation](TVarList&, Value&) {
    if (scene::TOxDB* root = GameRoot()) operation(*root);
  });
}

}  // namespace

void AddScreenFunctions(FunctionTable& table) {
  table["SetScreen"] = ScreenChange([](scene::TOxDB& root, scene::TOxElement& screen,
                                       const std::vector<scene::TOxElement*>& also) {
    root.BeginScreenSwitch(screen, also);
  });
  table["FastSetScreen"] = ScreenChange([](scene::TOxDB& root, scene::TOxElement& screen,
                                           const std::vector<scene::TOxElement*>& also) {
    root.FastSetScreen(screen, also, true);
  });
  table["FastSetScreenNS"] = ScreenChange([](scene::TOxDB& root, scene::TOxElement& screen,
                                             const std::vector<scene::TOxElement*>& also) {
    root.FastSetScreen(screen, also, false);
  });
  table["LoadIm"] = OnRoot([](scene::TOxDB& root) { root.FinishScreenSwitch(); });
  table["EndLoadIm"] = Always([](TVarList&, Value&) { scene::Scene().loading = false; });
  table["SaveState"] = OnRoot([](scene::TOxDB& root) { root.SaveState(); });
  table["LoadState"] = OnRoot([](scene::TOxDB& root) { root.LoadState(); });
  table["TimerReset"] = OnRoot([](scene::TOxDB& root) {
    if (root.Services().resetTimer) root.Services().resetTimer();
  });
  table["ExitGame"] = Always([](TVarList&, Value&) { scene::Scene().quitRequested = true; });
}

}  // namespace ox::scriptlib
