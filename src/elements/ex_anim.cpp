#include "elements/ex_anim.h"

#include "scene/class_registry.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable ExAnimProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Field<&TOxExAnim::PosHor, PropType::Enum>("PosHor", &kPosHorNames),
      Field<&TOxExAnim::PosVert, PropType::Enum>("PosVert", &kPosVertNames),
      Accessor<&TOxExAnim::obAnim, &TOxExAnim::SetObAnim, PropType::Integer>("obAnim"),
      Accessor<&TOxExAnim::Pos, &TOxExAnim::SetFramePos,
               PropType::Integer>("Pos"),
      Field<&TOxExAnim::Rep, PropType::Boolean>("Rep"),
      Field<&TOxExAnim::Active, PropType::Boolean>("Active"),
      Event<&TOxElement::exVarRS>("exVarRS"),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      Field<&TOxElement::NotSave, PropType::Boolean>("NotSave"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxExAnim::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxExAnim", {"TOxScreen", "TOxImage", "TOxShape"}, ExAnimProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxExAnim>(parent); });
  return info;
}

const ClassInfo& TOxExAnim::Class() const { return StaticClass(); }

TOxExAnim::TOxExAnim() = default;

}  // namespace ox::elements
