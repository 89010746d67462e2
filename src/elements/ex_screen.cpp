#include "elements/ex_screen.h"

#include "elements/screen.h"
#include "platform/checked.h"
#include "scene/class_registry.h"
#include "scene/element_refs.h"
#include "scene/game_root.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

// The ordinals of TOxPosHor and TOxPosVert: the near edge (left, top), the centre, the far edge.
constexpr std::int32_t kAlignCenter = 1;
constexpr std::int32_t kAlignFar = 2;

// The origin of an area of the given size whose aligned point is at pos.
std::int32_t AlignedOrigin(std::int32_t pos, std::int32_t size, std::int32_t alignment) {
  switch (alignment) {
    case kAlignCenter: return CheckedSub(pos, size / 2);
    case kAlignFar: return CheckedSub(pos, size);
    default: return pos;
  }
}

// Clears a flag when the scope ends, also when a range error leaves it.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;
  ~FlagScope() { flag_ = false; }

 private:
  bool& flag_;
};

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

void TOxExScreen::SetObScreen(std::int32_t key) {
  obScreen_ = key;
  screenRef_ = 0;
}

TOxScreen* TOxExScreen::CachedScreen() const {
  return static_cast<TOxScreen*>(ElementRefs::Resolve(screenRef_));
}

TOxScreen* TOxExScreen::FindScreen() const {
  const TOxDB* root = Root();
  if (root == nullptr) return nullptr;
  for (const auto& child : root->Children()) {
    if (child->Key == obScreen_ && &child->Class() == &TOxScreen::StaticClass()) {
      return dynamic_cast<TOxScreen*>(child.get());
    }
  }
  return nullptr;
}

TOxScreen* TOxExScreen::ResolveScreen() {
  if (TOxScreen* cached = CachedScreen()) return cached;
  screenRef_ = 0;
  TOxScreen* screen = FindScreen();
  if (screen == nullptr) return nullptr;
  screenRef_ = screen->Ref();
  const std::int32_t ownOrder = Order;
  SetOrder(screen->MinOrder);
  SetOrder(screen->MaxOrder);
  Order = ownOrder;
  return screen;
}

std::int32_t TOxExScreen::GetSizeX() const {
  const TOxScreen* screen = CachedScreen();
  return screen ? screen->GetSizeX() : 0;
}

std::int32_t TOxExScreen::GetSizeY() const {
  const TOxScreen* screen = CachedScreen();
  return screen ? screen->GetSizeY() : 0;
}

std::int32_t TOxExScreen::AlignedX() const { return AlignedOrigin(X(), GetSizeX(), PosHor); }
std::int32_t TOxExScreen::AlignedY() const { return AlignedOrigin(Y(), GetSizeY(), PosVert); }

TOxElement* TOxExScreen::HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                                 std::int32_t agro, std::uint8_t flag) {
  if (!Vis && !MousedNotVis) return nullptr;
  TOxElement* hit = nullptr;
  if (!hitTesting_) {
    FlagScope inside(hitTesting_);
    if (TOxScreen* screen = ResolveScreen()) {
      hit = screen->HitTest(layer, CheckedSub(x, AlignedX()), CheckedSub(y, AlignedY()), agro,
                            flag);
    }
  }
  if (hit == nullptr && layer == Order && Modal) hit = this;
  return hit;
}

}  // namespace ox::elements
