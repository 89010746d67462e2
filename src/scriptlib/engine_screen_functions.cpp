// Engine functions of screens: the screen change of SetScreen, FastSetScreen, FastSetScreenNS.
#include "elements/screen.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

void ChangeScreen(TVarList& args, ScreenChange change) {
  scene::TOxElement* screen = ElementArg(args, 0);
  scene::TOxDB* root = GameRoot();
  if (root == nullptr || dynamic_cast<elements::TOxScreen*>(screen) == nullptr) return;
  change(*root, *screen, ElementArgs(args, 1));
}

}  // namespace ox::scriptlib
