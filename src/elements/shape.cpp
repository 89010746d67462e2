#include "elements/shape.h"

#include "platform/checked.h"
#include "scene/class_registry.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable ShapeProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Field<&TOxShape::hxDrawFx, PropType::Cardinal>("hxDrawFx"),
      Accessor<&TOxShape::hxColor, &TOxShape::SetHxColor, PropType::Cardinal>("hxColor"),
      Accessor<&TOxShape::hxTrans, &TOxShape::SetHxTrans, PropType::Byte>("hxTrans"),
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
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      Field<&TOxElement::NotSave, PropType::Boolean>("NotSave"),
      Field<&TOxShape::Crop, PropType::Boolean>("Crop"),
      Field<&TOxShape::ShapeType, PropType::Enum>("ShapeType", &kShapeTypeNames),
      Field<&TOxShape::Par1, PropType::Real>("Par1"),
      Field<&TOxShape::Par2, PropType::Real>("Par2"),
      Field<&TOxShape::Par3, PropType::Real>("Par3"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxShape::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxShape", {"TOxScreen", "TOxImage", "TOxShape"}, ShapeProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxShape>(parent); });
  return info;
}

const ClassInfo& TOxShape::Class() const { return StaticClass(); }

TOxShape::TOxShape() : TOxBoxElement(100) {}

TOxElement* TOxShape::HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                              std::int32_t agro, std::uint8_t flag) {
  if (!TakesMouse()) return nullptr;
  if (TOxElement* hit = TOxElement::HitTest(layer, x, y, agro, flag)) {
    return Crop && !InBox(x, y) ? nullptr : hit;
  }
  return layer == Order && InBox(x, y) ? this : nullptr;
}

}  // namespace ox::elements
