#include "elements/image.h"

#include "elements/drawing.h"
#include "platform/core/checked.h"
#include "scene/class_registry.h"
#include "scene/game_root.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable ImageProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Accessor<&TOxImage::imImage, &TOxImage::SetImImage, PropType::String>("imImage"),
      Field<&TOxImage::hxDrawFx, PropType::Cardinal>("hxDrawFx"),
      Field<&TOxImage::PosHor, PropType::Enum>("PosHor", &kPosHorNames),
      Field<&TOxImage::PosVert, PropType::Enum>("PosVert", &kPosVertNames),
      Accessor<&TOxImage::Scale, &TOxImage::SetScale, PropType::Extended>("Scale"),
      Accessor<&TOxImage::Angle, &TOxImage::SetAngle, PropType::Extended>("Angle"),
      Accessor<&TOxImage::hxColor, &TOxImage::SetHxColor, PropType::Cardinal>("hxColor"),
      Accessor<&TOxImage::hxTrans, &TOxImage::SetHxTrans, PropType::Byte>("hxTrans"),
      Field<&TOxElement::MousedNotVis, PropType::Boolean>("MousedNotVis"),
  });
  const PropertyTable events = MouseElementEvents();
  t.insert(t.end(), events.begin(), events.end());
  t.insert(t.end(), {
      Field<&TOxElement::MousedVis, PropType::Boolean>("MousedVis"),
      Accessor<&TOxImage::Anim, &TOxImage::SetAnim, PropType::Integer>("Anim"),
      Field<&TOxElement::NoMsOxDB, PropType::Boolean>("NoMsOxDB"),
      OrderProperty(),
      Field<&TOxElement::rX, PropType::Real>("rX"),
      Field<&TOxElement::rY, PropType::Real>("rY"),
      Field<&TOxImage::ScaleX, PropType::Extended>("ScaleX"),
      Field<&TOxImage::ScaleY, PropType::Extended>("ScaleY"),
      NotSaved(Field<&TOxImage::Interpol, PropType::Boolean>("Interpol")),
      NotSaved(Field<&TOxImage::InterpolSc, PropType::Boolean>("InterpolSc")),
      NotSaved(Field<&TOxElement::MsKeep, PropType::Boolean>("MsKeep")),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      Accessor<&TOxImage::TextId, &TOxImage::SetTextId, PropType::String>("TextId"),
      NotSaveProperty(),
  });
  return t;
}

// Thousandths of a value, nearest and halves to even; RangeError outside 32 bits.
std::int32_t Thousandths(long double value) { return RoundToInt32(value * 1000.0L); }

}  // namespace

const ClassInfo& TOxImage::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxImage", {"TOxScreen", "TOxImage", "TOxAnKey", "TOxShape"}, ImageProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxImage>(parent); },
      ClassFacts{.savesPosition = false});
  return info;
}

const ClassInfo& TOxImage::Class() const { return StaticClass(); }

TOxImage::TOxImage() = default;

const std::string& TOxImage::imImage() const { return PictureName(picture_); }

void TOxImage::SetImImage(std::string name) { picture_ = RequestPicture(name); }

void TOxImage::SetTextId(std::string id) {
  textId_ = std::move(id);
  if (Root() != nullptr) Root()->GetText(textId_);
}

void TOxImage::SetScale(long double value) { scale_ = Thousandths(value); }
void TOxImage::SetAngle(long double value) { angle_ = Thousandths(value); }

}  // namespace ox::elements
