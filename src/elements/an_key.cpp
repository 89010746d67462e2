#include "elements/an_key.h"

#include "scene/class_registry.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

PropertyTable AnKeyProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Accessor<&TOxAnKey::Count, &TOxAnKey::SetCount, PropType::Word>("Count"),
      Field<&TOxAnKey::Morph, PropType::Boolean>("Morph"),
      Field<&TOxElement::NotSave, PropType::Boolean>("NotSave"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxAnKey::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxAnKey", {"TOxAnim"}, AnKeyProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxAnKey>(parent); });
  return info;
}

const ClassInfo& TOxAnKey::Class() const { return StaticClass(); }

TOxAnKey::TOxAnKey() = default;

}  // namespace ox::elements
