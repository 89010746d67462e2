// The element's answers to names read and written by scripts: its own variables, its published
// properties, its children by Id and the pseudo-variables that the tree itself can answer.
#include <cstdint>
#include <string>

#include "platform/text/case1251.h"
#include "scene/class_registry.h"
#include "scene/element.h"
#include "scene/element_vars.h"
#include "scene/element_refs.h"
#include "scene/game_root.h"
#include "scene/picture_loading.h"
#include "scene/property_values.h"
#include "scene/scene_state.h"
#include "script/convert.h"
#include "script/var_list.h"

namespace ox::scene {

namespace {

using script::Value;

Value RefTo(const TOxElement* e) { return Value::UInt32(e ? e->Ref() : 0); }

// "CHILD[n]" and "CHILDn": child n (1-based), reference 0 when out of range; unhandled when
// the text is not a number.
bool NumberedChild(const TOxElement& e, const std::string& name, Value& out) {
  if (name.rfind("CHILD", 0) != 0 || name.size() <= 5) return false;
  const std::string digits =
      name[5] == '[' ? name.substr(6, name.size() >= 7 ? name.size() - 7 : 0) : name.substr(5);
  std::int32_t n = 0;
  if (!script::TextToInt32(digits, n)) return false;
  const auto count = static_cast<std::int64_t>(e.Children().size());
  out = RefTo(n >= 1 && n <= count ? e.Children()[static_cast<std::size_t>(n - 1)].get() : nullptr);
  return true;
}

std::int32_t PositionInParent(const TOxElement& e) {
  const auto& siblings = e.Parent()->Children();
  for (std::size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i].get() == &e) return static_cast<std::int32_t>(i + 1);
  }
  return 0;
}

bool TreePseudoVariable(TOxElement& e, const std::string& name, Value& out) {
  if (name == "NIL") return out = Value::UInt32(0), true;
  if (name == "SELF") return out = RefTo(&e), true;
  if (name == "CLASS") return out = Value::String(platform::UpperCase1251(e.Class().name)), true;
  if (name == "PARENT") return e.Parent() ? (out = RefTo(e.Parent()), true) : false;
  if (name == "CHILDCOUNT")
    return out = Value::Int32(static_cast<std::int32_t>(e.Children().size())), true;
  if (name == "PARPOS") return e.Parent() ? (out = Value::Int32(PositionInParent(e)), true) : false;
  if (NumberedChild(e, name, out)) return true;
  if (name == "OXDB") return out = RefTo(e.Root()), true;
  return false;
}

// The pseudo-variables that read the shared scene state, in their order after the tree's.
bool ScenePseudoVariable(TOxElement& e, const std::string& name, Value& out) {
  const SceneState& scene = Scene();
  const bool underCursor = scene.underCursor == e.Ref();
  if (name == "CURRENTSCREEN") return out = RefTo(Resolve(scene.currentScreen)), true;
  if (name == "CURSOR") {
    TOxElement* cursor = Resolve(scene.cursorElement);
    return cursor ? (out = RefTo(cursor), true) : false;
  }
  if (name == "CURSORAT") return out = RefTo(Resolve(scene.underCursor)), true;
  if (name == "CURSORATNIL") return out = Value::UInt8(Resolve(scene.underCursor) ? 0 : 1), true;
  if (name == "ABSX") return out = Value::Int32(e.GetAbsX()), true;
  if (name == "ABSY") return out = Value::Int32(e.GetAbsY()), true;
  if (name == "SZX") return out = Value::Int32(e.GetSizeX()), true;
  if (name == "SZY") return out = Value::Int32(e.GetSizeY()), true;
  if (name == "MOUSEIN") return out = Value::Bool(underCursor), true;
  if (name == "MSDX") return out = Value::Int32(scene.mouseDX), true;
  if (name == "MSDY") return out = Value::Int32(scene.mouseDY), true;
  if (name == "MSX") return out = Value::Int32(scene.mouseX), true;
  if (name == "MSY") return out = Value::Int32(scene.mouseY), true;
  if (name == "IMFORLOADCOUNT") return out = Value::Int32(Pictures().ForLoadCount()), true;
  if (name == "IMFORLOADPOS") return out = Value::Int32(Pictures().ForLoadPos()), true;
  if (name == "KEYDOWNED") return out = Value::Int32(scene.lastKeyCode), true;
  if (name == "MOUSEDOWN") return out = Value::Bool(scene.mouseDown), true;
  if (name == "MOUSEINDOWN") return out = Value::Bool(scene.mouseDown && underCursor), true;
  return false;
}

// A string assigned with a leading double quote names a language text: "Menu.Start".
Value LocalisedValue(TOxElement& e, const Value& value) {
  if (!value.IsString() || value.s.empty() || value.s[0] != '"' || e.Root() == nullptr) return value;
  const std::string id = value.s.size() >= 2 ? value.s.substr(1, value.s.size() - 2) : "";
  std::string text = e.Root()->GetText(id);
  return text.empty() ? value : Value::String(std::move(text));
}

}  // namespace

TOxElement* ChildById(const TOxElement& e, const std::string& upperName) {
  for (const auto& child : e.Children()) {
    if (platform::UpperCase1251(child->Id) == upperName) return child.get();
  }
  return nullptr;
}

bool TOxElement::GetVar(const std::string& name, Value& out) {
  if (vars_) {
    if (const script::TVar* v = vars_->Find(name)) return out = v->Val, true;
  }
  if (const PropertyInfo* p = Class().FindProperty(name)) {
    out = ScriptValueOf(*p, p->get(*this));
    return true;
  }
  if (TOxElement* child = ChildById(*this, name)) return out = RefTo(child), true;
  return TreePseudoVariable(*this, name, out) || ScenePseudoVariable(*this, name, out);
}

bool TOxElement::SetVar(const std::string& name, const Value& assigned) {
  const Value value = LocalisedValue(*this, assigned);
  if (vars_) {
    if (script::TVar* v = vars_->Find(name)) return v->Val = value, true;
  }
  if (const PropertyInfo* p = Class().FindProperty(name)) {
    p->set(*this, PropValueOf(*p, value));
    return true;
  }
  if (name == "CURSOR" && value.IsRef()) {
    Scene().cursorElement = static_cast<std::uint32_t>(value.i);
    return true;
  }
  return false;
}

}  // namespace ox::scene
