// Engine functions on elements that take more than a line: SetFocus and MoveTo.
#include "elements/text.h"
#include "scene/scene_state.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

void FocusText(scene::TOxElement& e) {
  if (dynamic_cast<elements::TOxText*>(&e) != nullptr) scene::Scene().keyboardFocus = e.Ref();
}

void MoveElement(TVarList& args, Value& result) {
  scene::TOxElement* e = ElementArg(args, 0);
  if (args.Count() != 3 || e == nullptr) return;
  result = Value::UInt8(0);
  e->SetPos(AsInteger(args[1].Val), AsInteger(args[2].Val));
}

}  // namespace ox::scriptlib
