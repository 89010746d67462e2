#include "elements/ex_anim.h"

#include "elements/alignment.h"
#include "elements/anim.h"
#include "platform/core/checked.h"
#include "scene/class_registry.h"
#include "scene/element_refs.h"
#include "scene/game_root.h"
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
      NotSaveProperty(),
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

void TOxExAnim::SetObAnim(std::int32_t key) {
  obAnim_ = key;
  animRef_ = 0;
}

TOxAnim* TOxExAnim::CachedAnim() const {
  return static_cast<TOxAnim*>(ElementRefs::Resolve(animRef_));
}

TOxAnim* TOxExAnim::ResolveAnim() const {
  if (TOxAnim* cached = CachedAnim()) return cached;
  animRef_ = 0;
  const TOxDB* root = Root();
  if (root == nullptr) return nullptr;
  for (const auto& child : root->Children()) {
    if (child->Key == obAnim_ && &child->Class() == &TOxAnim::StaticClass()) {
      animRef_ = child->Ref();
      return static_cast<TOxAnim*>(child.get());
    }
  }
  return nullptr;
}

void TOxExAnim::SetFramePos(std::int32_t frame) {
  pos_ = frame;
  const TOxAnim* anim = ResolveAnim();
  if (anim != nullptr && frame >= anim->FrameCount()) pos_ = Rep ? 0 : anim->FrameCount() - 1;
}

std::int32_t TOxExAnim::GetSizeX() const {
  const TOxAnim* anim = ResolveAnim();
  return anim ? anim->GetSizeX() : 0;
}

std::int32_t TOxExAnim::GetSizeY() const {
  const TOxAnim* anim = ResolveAnim();
  return anim ? anim->GetSizeY() : 0;
}

std::int32_t TOxExAnim::AlignedX() const { return AlignedOrigin(X(), GetSizeX(), PosHor); }
std::int32_t TOxExAnim::AlignedY() const { return AlignedOrigin(Y(), GetSizeY(), PosVert); }

std::int32_t TOxExAnim::GetAbsX() const {
  return Parent() ? CheckedAdd(Parent()->GetAbsX(), AlignedX()) : AlignedX();
}

std::int32_t TOxExAnim::GetAbsY() const {
  return Parent() ? CheckedAdd(Parent()->GetAbsY(), AlignedY()) : AlignedY();
}

void TOxExAnim::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                       std::uint8_t) {
  if (!ResLoaded) LoadResources();
  TOxAnim* anim = ResolveAnim();
  if (anim == nullptr || layer != Order) return;
  anim->DrawFrame(pos_, color, offsetX + AlignedX(), offsetY + AlignedY());
}

void TOxExAnim::Process() {
  if (Active && pos_ >= 0) SetFramePos(CheckedAdd(pos_, 1));
  TOxElement::Process();
}

// The shown animation's pictures load with the reference, as a screen's load with a screen
// reference: an animation of the root is otherwise loaded only when a screen switch names it.
void TOxExAnim::LoadResources() {
  if (ResLoaded) return;
  TOxElement::LoadResources();
  if (TOxAnim* anim = ResolveAnim()) anim->LoadResources();
}

}  // namespace ox::elements
