#include "scene/property_accessors.h"

namespace ox::scene {

const std::vector<const char*> kBooleanNames{"False", "True"};
const std::vector<const char*> kPosHorNames{"phLeft", "phCenter", "phRight"};
const std::vector<const char*> kPosVertNames{"pvTop", "pvCenter", "pvBottom"};
const std::vector<const char*> kShapeTypeNames{"stBox", "stCircle"};

namespace {

PropertyInfo Position(PropertyInfo p) {
  p.flags |= kPosition;
  return p;
}

}  // namespace

PropertyTable BaseProperties() {
  return {
      NotSaved(Field<&TOxElement::Key, PropType::Integer>("Key")),
      NotSaved(Field<&TOxElement::Id, PropType::String>("Id")),
      Position(Accessor<&TOxElement::X, &TOxElement::SetX, PropType::Integer>("X")),
      Position(Accessor<&TOxElement::Y, &TOxElement::SetY, PropType::Integer>("Y")),
      PropertyInfo{"Vis", PropType::Boolean,
                   [](const TOxElement& e) -> PropValue { return std::int64_t{e.Vis}; },
                   [](TOxElement& e, const PropValue& v) { e.SetVis(AsInteger(v) != 0); },
                   &kBooleanNames},
  };
}

PropertyInfo NotSaved(PropertyInfo p) {
  p.flags |= kNotSaved;
  return p;
}

PropertyInfo KeepsLoaded(PropertyInfo p) {
  p.flags |= kKeepsLoaded;
  return p;
}

PropertyInfo NotSaveProperty() {
  return NotSaved(Field<&TOxElement::NotSave, PropType::Boolean>("NotSave"));
}

PropertyInfo OrderProperty() {
  return PropertyInfo{"Order", PropType::Integer,
                      [](const TOxElement& e) -> PropValue { return std::int64_t{e.Order}; },
                      [](TOxElement& e, const PropValue& v) {
                        e.SetOrder(static_cast<std::int32_t>(NarrowOrdinal(PropType::Integer, AsInteger(v))));
                      },
                      nullptr};
}

PropertyTable MouseElementEvents() {
  return {
      Event<&TOxElement::exVarRS>("exVarRS"),
      Event<&TOxElement::exInit>("exInit"),
      Event<&TOxElement::exAfterLoad>("exAfterLoad"),
      Event<&TOxElement::exMouseIn>("exMouseIn"),
      Event<&TOxElement::exMouseOut>("exMouseOut"),
      Event<&TOxElement::exMouseMove>("exMouseMove"),
      Event<&TOxElement::exMouseDown>("exMouseDown"),
      Event<&TOxElement::exMouseUp>("exMouseUp"),
      Event<&TOxElement::exUpdate>("exUpdate"),
      Event<&TOxElement::exProcess>("exProcess"),
  };
}

PropertyInfo SizeXProperty() {
  return Accessor<&TOxElement::GetSizeX, &TOxElement::SetSizeX, PropType::Integer>("SizeX");
}

PropertyInfo SizeYProperty() {
  return Accessor<&TOxElement::GetSizeY, &TOxElement::SetSizeY, PropType::Integer>("SizeY");
}

}  // namespace ox::scene
