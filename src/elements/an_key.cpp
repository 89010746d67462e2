#include "elements/an_key.h"

#include "elements/anim.h"

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
      NotSaveProperty(),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxAnKey::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxAnKey", {"TOxAnim"}, AnKeyProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxAnKey>(parent); },
      ClassFacts{.savesSubtree = false});
  return info;
}

const ClassInfo& TOxAnKey::Class() const { return StaticClass(); }

TOxAnKey::TOxAnKey() = default;

namespace {

void RebuildAnimationOf(const TOxAnKey& key) {
  if (auto* anim = dynamic_cast<TOxAnim*>(key.Parent())) anim->Rebuild();
}

}  // namespace

void TOxAnKey::SetCount(std::uint16_t frames) {
  count_ = frames;
  RebuildAnimationOf(*this);
}

void TOxAnKey::ReadRecord(std::string_view data, bool keepKeys) {
  ReadRecordBase(data, keepKeys);
  RebuildAnimationOf(*this);
}

std::int32_t TOxAnKey::GetSizeX() const { return Parent() ? Parent()->GetSizeX() : 0; }
std::int32_t TOxAnKey::GetSizeY() const { return Parent() ? Parent()->GetSizeY() : 0; }

}  // namespace ox::elements
