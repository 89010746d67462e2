#include "elements/ex_screen.h"

#include "scene/class_registry.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable ExScreenProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Field<&TOxExScreen::PosHor, PropType::Enum>("PosHor", &kPosHorNames),
      Field<&TOxExScreen::PosVert, PropType::Enum>("PosVert", &kPosVertNames),
      Accessor<&TOxExScreen::obScreen, &TOxExScreen::SetObScreen, PropType::Integer>("obScreen"),
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
      Field<&TOxExScreen::Modal, PropType::Boolean>("Modal"),
      Event<&TOxElement::exShow>("exShow"),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      Field<&TOxElement::NotSave, PropType::Boolean>("NotSave"),
      Field<&TOxExScreen::Processing, PropType::Boolean>("Processing"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxExScreen::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxExScreen", {"TOxScreen", "TOxImage", "TOxShape"}, ExScreenProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxExScreen>(parent); });
  return info;
}

const ClassInfo& TOxExScreen::Class() const { return StaticClass(); }

TOxExScreen::TOxExScreen() = default;

}  // namespace ox::elements
