#include "elements/text.h"

#include "elements/drawing.h"
#include "elements/text_layout.h"
#include "elements/text_measure.h"
#include "elements/truetype_picture.h"
#include "platform/core/checked.h"
#include "scene/class_registry.h"
#include "scene/game_root.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable TextProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Field<&TOxText::hxDrawFx, PropType::Cardinal>("hxDrawFx"),
      Accessor<&TOxText::hxColor1, &TOxText::SetHxColor1, PropType::Cardinal>("hxColor1"),
      Accessor<&TOxText::hxTrans1, &TOxText::SetHxTrans1, PropType::Byte>("hxTrans1"),
      Accessor<&TOxText::hxColor2, &TOxText::SetHxColor2, PropType::Cardinal>("hxColor2"),
      Accessor<&TOxText::hxTrans2, &TOxText::SetHxTrans2, PropType::Byte>("hxTrans2"),
      Field<&TOxElement::MousedNotVis, PropType::Boolean>("MousedNotVis"),
  });
  const PropertyTable events = MouseElementEvents();
  t.insert(t.end(), events.begin(), events.end());
  t.insert(t.end(), {
      Field<&TOxElement::MousedVis, PropType::Boolean>("MousedVis"),
      Field<&TOxElement::NoMsOxDB, PropType::Boolean>("NoMsOxDB"),
      OrderProperty(),
      Field<&TOxElement::rX, PropType::Real>("rX"),
      Field<&TOxElement::rY, PropType::Real>("rY"),
      SizeXProperty(),
      SizeYProperty(),
      Accessor<&TOxText::Font, &TOxText::SetFont, PropType::String>("Font"),
      Field<&TOxText::PosHor, PropType::Enum>("PosHor", &kPosHorNames),
      Field<&TOxText::PosVert, PropType::Enum>("PosVert", &kPosVertNames),
      Accessor<&TOxText::TextId, &TOxText::SetTextId, PropType::String>("TextId"),
      Accessor<&TOxText::AutoEnter, &TOxText::SetAutoEnter, PropType::Boolean>("AutoEnter"),
      Accessor<&TOxText::EnEnter, &TOxText::SetEnEnter, PropType::Boolean>("EnEnter"),
      Accessor<&TOxText::AutoScale, &TOxText::SetAutoScale, PropType::Boolean>("AutoScale"),
      Accessor<&TOxText::Interval, &TOxText::SetInterval, PropType::Real>("Interval"),
      Accessor<&TOxText::Text, &TOxText::SetText, PropType::String>("Text"),
      Accessor<&TOxText::Scale, &TOxText::SetScale, PropType::Real>("Scale"),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      NotSaveProperty(),
      Field<&TOxText::hxShadColor, PropType::Cardinal>("hxShadColor"),
      Field<&TOxText::Emboss, PropType::Boolean>("Emboss"),
      Field<&TOxText::Shadow, PropType::Boolean>("Shadow"),
      Field<&TOxText::Uni, PropType::Boolean>("Uni"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxText::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxText", {"TOxScreen", "TOxImage", "TOxText", "TOxShape"}, TextProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxText>(parent); },
      ClassFacts{.savesPosition = false});
  return info;
}

const ClassInfo& TOxText::Class() const { return StaticClass(); }

TOxText::TOxText() : TOxBoxElement(100) {}

TOxText::~TOxText() = default;

render::TAsphyreFont* TOxText::FontOf() const {
  render::TAsphyreFont* font = Fonts() != nullptr ? Fonts()->Find(font_) : nullptr;
  return font != nullptr && font->Loaded() ? font : nullptr;
}

void TOxText::SetText(std::string value) {
  if (!textId_.empty()) value = Root() != nullptr ? Root()->GetText(textId_) : std::string();
  text_ = std::move(value);
  render::TAsphyreFont* font = FontOf();
  if (!enEnter_ || font == nullptr) {
    layout_ = text_;
    return;
  }
  font->SetScale(scale_);
  const bool unicode = Root() != nullptr && Root()->UnicodeMode();
  const LayoutRules rules{autoEnter_, unicode, static_cast<double>(sizeX_)};
  if (unicode) {
    layout_ = LayText(text_, rules, UnicodeMeasure(Root()->UnicodeTable(), UnicodeGlyphScale(*font, UnicodeGlyphs())));
  } else {
    layout_ = LayText(text_, rules, FontMeasure(*font));
  }
}

void TOxText::SetTextId(std::string id) {
  textId_ = std::move(id);
  Relayout();
}

void TOxText::SetFont(std::string name) {
  font_ = std::move(name);
  Relayout();
}

void TOxText::SetScale(double value) {
  scale_ = value;
  Relayout();
}

void TOxText::SetSizeX(std::int32_t value) {
  TOxBoxElement::SetSizeX(value);
  Relayout();
}

void TOxText::SetEnEnter(bool value) {
  enEnter_ = value;
  Relayout();
}

void TOxText::SetAutoEnter(bool value) {
  autoEnter_ = value;
  Relayout();
}

void TOxText::SetAutoScale(bool value) {
  autoScale_ = value;
  Relayout();
}

TOxElement* TOxText::HitTest(std::int32_t layer, std::int32_t x, std::int32_t y, std::int32_t,
                             std::uint8_t) {
  if (!TakesMouse() || layer != Order) return nullptr;
  return InBox(x, y) ? this : nullptr;
}

}  // namespace ox::elements
