// Engine functions that run an element's operations: Update, Process, MsDown, MsMove, Init,
// Show, SetFocus, ToFront, MoveTo.
#include "elements/text.h"
#include "scene/scene_state.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

namespace {

script::NativeFunction OnElement(void (*operation)(scene::TOxElement&)) {
  return Always([operation](TVarList& args, Value&) {
    if (scene::TOxElement* e = ElementArg(args, 0)) operation(*e);
  });
}

}  // namespace

void AddElementFunctions(FunctionTable& table) {
  table["Update"] = OnElement([](scene::TOxElement& e) { e.Update(); });
  table["Process"] = OnElement([](scene::TOxElement& e) { e.Process(); });
  table["MsDown"] = OnElement([](scene::TOxElement& e) { e.MouseDown(); });
  table["MsMove"] = OnElement([](scene::TOxElement& e) { e.MouseMove(); });
  table["Init"] = OnElement([](scene::TOxElement& e) { e.InitPr(); });
  table["Show"] = OnElement([](scene::TOxElement& e) { e.Show(); });
  table["SetFocus"] = OnElement([](scene::TOxElement& e) {
    if (dynamic_cast<elements::TOxText*>(&e) != nullptr) scene::Scene().keyboardFocus = e.Ref();
  });
  table["ToFront"] = OnElement([](scene::TOxElement& e) { e.MoveToFront(); });
  table["MoveTo"] = Always([](TVarList& args, Value& result) {
    scene::TOxElement* e = ElementArg(args, 0);
    if (args.Count() != 3 || e == nullptr) return;
    result = Value::UInt8(0);
    e->SetPos(AsInteger(args[1].Val), AsInteger(args[2].Val));
  });
}

}  // namespace ox::scriptlib
