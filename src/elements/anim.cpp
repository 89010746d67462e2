#include "elements/anim.h"

#include "scene/class_registry.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable AnimProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Accessor<&TOxAnim::ImBack, &TOxAnim::SetImBack, PropType::String>("ImBack"),
      SizeXProperty(),
      SizeYProperty(),
      Field<&TOxAnim::hxDrawFx, PropType::Cardinal>("hxDrawFx"),
      Field<&TOxAnim::Agro, PropType::Integer>("Agro"),
      Field<&TOxAnim::Modal, PropType::Boolean>("Modal"),
      Accessor<&TOxAnim::Pos, &TOxAnim::SetFramePos,
               PropType::Integer>("Pos"),
      Accessor<&TOxAnim::Morph, &TOxAnim::SetMorph, PropType::Boolean>("Morph"),
      Field<&TOxAnim::Rep, PropType::Boolean>("Rep"),
      Field<&TOxAnim::ShowAn, PropType::Boolean>("ShowAn"),
      Field<&TOxAnim::Active, PropType::Boolean>("Active"),
      Event<&TOxAnim::exStop>("exStop"),
      Event<&TOxAnim::exStart>("exStart"),
      Event<&TOxAnim::exAnim>("exAnim"),
      Event<&TOxElement::exInit>("exInit"),
      Event<&TOxElement::exUpdate>("exUpdate"),
      OrderProperty(),
      Field<&TOxAnim::Angle, PropType::Extended>("Angle"),
      Event<&TOxElement::exVarRS>("exVarRS"),
      Field<&TOxAnim::Interpol, PropType::Boolean>("Interpol"),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      Field<&TOxElement::NotSave, PropType::Boolean>("NotSave"),
      Event<&TOxElement::exProcess>("exProcess"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxAnim::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxAnim", {"TOxDB", "TOxScreen", "TOxImage", "TOxShape"}, AnimProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxAnim>(parent); });
  return info;
}

const ClassInfo& TOxAnim::Class() const { return StaticClass(); }

TOxAnim::TOxAnim() : TOxBoxElement(0) { MousedNotVis = true; }

}  // namespace ox::elements
