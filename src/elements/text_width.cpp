// What scripts read of a text's size: its width as drawn.
#include "elements/drawing.h"
#include "elements/text.h"
#include "platform/checked.h"
#include "scene/game_root.h"
#include "scene/scene_state.h"
#include "script/value.h"

namespace ox::elements {

double TOxText::TextWidth() const {
  const bool trueType = Root() != nullptr && Root()->UnicodeMode() && (Uni || scene::Scene().keyboardFocus == Ref());
  if (trueType || Fonts() == nullptr) return 0.0;
  render::TAsphyreFont* font = Fonts()->Find(Font());
  if (font == nullptr) return 0.0;
  font->SetScale(Scale());
  return font->TextWidth(Text());
}

bool TOxText::GetVar(const std::string& name, script::Value& out) {
  if (TOxElement::GetVar(name, out)) return true;
  if (name != "TEXTSZ") return false;
  out = script::Value::Int32(RoundToInt32(TextWidth()));
  return true;
}

}  // namespace ox::elements
