#include "elements/effect.h"

#include "scene/class_registry.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable EffectProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Accessor<&TOxEffect::EffectFN, &TOxEffect::SetEffectFN, PropType::String>("EffectFN"),
      Field<&TOxEffect::DAnim, PropType::Real>("DAnim"),
      Accessor<&TOxEffect::Active, &TOxEffect::SetActive, PropType::Boolean>("Active"),
      Event<&TOxElement::exInit>("exInit"),
      Event<&TOxElement::exAfterLoad>("exAfterLoad"),
      Event<&TOxElement::exUpdate>("exUpdate"),
      Event<&TOxElement::exProcess>("exProcess"),
      Field<&TOxEffect::hxColor, PropType::Cardinal>("hxColor"),
      OrderProperty(),
      Event<&TOxElement::exVarRS>("exVarRS"),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      Field<&TOxElement::NotSave, PropType::Boolean>("NotSave"),
      Event<&TOxEffect::exStart>("exStart"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxEffect::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxEffect", {"TOxScreen", "TOxImage", "TOxShape"}, EffectProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxEffect>(parent); });
  return info;
}

const ClassInfo& TOxEffect::Class() const { return StaticClass(); }

TOxEffect::TOxEffect() = default;

}  // namespace ox::elements
