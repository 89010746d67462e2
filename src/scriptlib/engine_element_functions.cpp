// Engine functions on elements that take more than a line: SetFocus, MoveTo, ListAdd and
// ListDel.
#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/text.h"
#include "scene/scene_state.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

namespace {

// The element an argument refers to when its class is exactly T; null otherwise.
template <class T>
T* ExactlyA(const TVarList& args, std::size_t i) {
  scene::TOxElement* e = ElementArg(args, i);
  return e != nullptr && &e->Class() == &T::StaticClass() ? static_cast<T*>(e) : nullptr;
}

}  // namespace

void FocusText(scene::TOxElement& e) {
  if (dynamic_cast<elements::TOxText*>(&e) != nullptr) scene::Scene().keyboardFocus = e.Ref();
}

void MoveElement(TVarList& args, Value& result) {
  scene::TOxElement* e = ElementArg(args, 0);
  if (args.Count() != 3 || e == nullptr) return;
  result = Value::UInt8(0);
  e->SetPos(AsInteger(args[1].Val), AsInteger(args[2].Val));
}

void AddToList(TVarList& args, Value&) {
  auto* list = ExactlyA<elements::TOxImList>(args, 0);
  auto* image = ExactlyA<elements::TOxImage>(args, 1);
  if (list != nullptr && image != nullptr) list->AddItem(*image);
}

void RemoveFromList(TVarList& args, Value&) {
  auto* list = ExactlyA<elements::TOxImList>(args, 0);
  if (list == nullptr || args.Count() < 2) return;
  if (args[1].Val.IsString()) return list->RemoveItem(args[1].Val.s);
  if (auto* image = ExactlyA<elements::TOxImage>(args, 1)) list->RemoveItem(*image);
}

}  // namespace ox::scriptlib
