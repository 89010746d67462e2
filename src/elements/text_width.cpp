// What scripts read of a text's size: its width as drawn.
#include "elements/drawing.h"
#include "elements/text.h"
#include "elements/truetype_picture.h"
#include "platform/core/checked.h"
#include "script/value.h"

namespace ox::elements {

double TOxText::TextWidth() const {
  render::TAsphyreFont* font = FontOf();
  if (font == nullptr) return 0.0;
  font->SetScale(Scale());
  if (!DrawsTrueType()) return font->TextWidth(Text());
  const render::TAsphyreImage* picture = trueType_ ? trueType_->Last() : nullptr;
  if (picture == nullptr) return 0.0;
  return picture->PatternWidth() * font->TextHeight("W") / picture->PatternHeight() * 1.5;
}

bool TOxText::GetVar(const std::string& name, script::Value& out) {
  if (TOxElement::GetVar(name, out)) return true;
  if (name != "TEXTSZ") return false;
  out = script::Value::Int32(RoundToInt32(TextWidth()));
  return true;
}

}  // namespace ox::elements
