#include "elements/ex_screen.h"

#include "elements/alignment.h"
#include "elements/screen.h"
#include "platform/core/checked.h"
#include "scene/class_registry.h"
#include "scene/element_refs.h"
#include "scene/game_root.h"
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
  });
  const PropertyTable events = MouseElementEvents();
  t.insert(t.end(), events.begin(), events.end());
  t.insert(t.end(), {
      Field<&TOxExScreen::Modal, PropType::Boolean>("Modal"),
      Event<&TOxElement::exShow>("exShow"),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      NotSaveProperty(),
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

template <class Operation>
void TOxExScreen::OnScreen(Pass pass, Operation operation) {
  const auto bit = static_cast<std::uint16_t>(1u << static_cast<unsigned>(pass));
  if ((passes_ & bit) != 0) return;
  TOxScreen* screen = ResolveScreen();
  if (screen == nullptr) return;
  // Cleared on every way out, a range error included.
  struct Inside {
    std::uint16_t& passes;
    std::uint16_t bit;
    ~Inside() { passes = static_cast<std::uint16_t>(passes & ~bit); }
  } inside{passes_, bit};
  passes_ = static_cast<std::uint16_t>(passes_ | bit);
  operation(*screen);
}

std::int32_t TOxExScreen::GetAbsX() const {
  return Parent() ? CheckedAdd(Parent()->GetAbsX(), AlignedX()) : AlignedX();
}

std::int32_t TOxExScreen::GetAbsY() const {
  return Parent() ? CheckedAdd(Parent()->GetAbsY(), AlignedY()) : AlignedY();
}

TOxElement* TOxExScreen::HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                                 std::int32_t agro, std::uint8_t flag) {
  if (!Vis && !MousedNotVis) return nullptr;
  TOxElement* hit = nullptr;
  OnScreen(Pass::HitTest, [&](TOxScreen& screen) {
    hit = screen.HitTest(layer, CheckedSub(x, AlignedX()), CheckedSub(y, AlignedY()), agro, flag);
  });
  if (hit == nullptr && layer == Order && Modal) hit = this;
  return hit;
}

void TOxExScreen::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                         std::uint8_t flag) {
  if (!ResLoaded) LoadResources();
  OnScreen(Pass::Render, [&](TOxScreen& screen) {
    screen.Render(layer, color, offsetX + AlignedX(), offsetY + AlignedY(), 0);
  });
  TOxElement::Render(layer, color, offsetX, offsetY, flag);
}

void TOxExScreen::Process() {
  if (Vis || MousedNotVis) {
    OnScreen(Pass::Process, [this](TOxScreen& screen) {
      if (Processing) screen.Process();
    });
  }
  TOxElement::Process();
}

void TOxExScreen::Update() {
  OnScreen(Pass::Update, [](TOxScreen& screen) { screen.Update(); });
  TOxElement::Update();
}

void TOxExScreen::Init() {
  if (InitDone) return;
  OnScreen(Pass::Init, [](TOxScreen& screen) { screen.Init(); });
  TOxElement::Init();
}

void TOxExScreen::InitPr() {
  OnScreen(Pass::InitPr, [](TOxScreen& screen) { screen.InitPr(); });
  TOxElement::InitPr();
}

void TOxExScreen::LoadResources() {
  if (ResLoaded) return;
  TOxElement::LoadResources();
  OnScreen(Pass::LoadResources, [](TOxScreen& screen) { screen.LoadResources(); });
}

void TOxExScreen::ReloadResources() {
  TOxElement::ReloadResources();
  OnScreen(Pass::ReloadResources, [](TOxScreen& screen) { screen.ReloadResources(); });
}

// A reference reads its screen anew every time it is shown.
void TOxExScreen::Show() {
  screenRef_ = 0;
  OnScreen(Pass::Show, [](TOxScreen& screen) { screen.Show(); });
  TOxElement::Show();
}

// Showing a hidden reference runs the screen's show scripts, the reference's, then the
// screen's once more; hiding runs nothing.
void TOxExScreen::SetVis(bool value) {
  if (value == Vis) return;
  Vis = value;
  if (ResolveScreen() == nullptr || !Vis) return;
  Show();
  OnScreen(Pass::Show, [](TOxScreen& screen) { screen.Show(); });
}

}  // namespace ox::elements
