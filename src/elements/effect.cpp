#include "elements/effect.h"

#include <cmath>

#include "elements/drawing.h"
#include "scene/class_registry.h"
#include "scene/game_root.h"
#include "scene/property_accessors.h"
#include "scene/scene_state.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

constexpr int kEffectCapacity = 5000;

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
      NotSaveProperty(),
      Event<&TOxEffect::exStart>("exStart"),
  });
  return t;
}

// Effect seconds for `ticks` game ticks; a time factor that is not finite counts as 0.
float EffectSeconds(double dAnim, double ticks) {
  const double seconds = ticks / Scene().ticksPerSecond * dAnim;
  return std::isfinite(seconds) ? static_cast<float>(seconds) : 0.0f;
}

int RoundedOffset(double offset) {
  return static_cast<int>(std::clamp(std::nearbyint(offset), -2147483648.0, 2147483647.0));
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
TOxEffect::~TOxEffect() = default;

void TOxEffect::SetEffectFN(std::string name) {
  effectFN_ = std::move(name);
  render::TXParticleManager* manager = ParticleManager();
  if (manager == nullptr) return;
  system_ = manager->CreateSystem(kEffectCapacity);
  const TOxDB* root = Root();
  std::optional<std::vector<std::uint8_t>> bytes;
  if (root != nullptr) bytes = root->GameData().ReadAll(effectFN_);
  if (!bytes) bytes = manager->ReadRecord(effectFN_);
  if (bytes) system_->LoadFromStream(*bytes);
  FollowElement();
  if (active_) system_->Start();
}

void TOxEffect::SetActive(bool value) {
  active_ = value;
  if (!system_) return;
  if (value) {
    system_->Start();
  } else {
    system_->Stop(false);
  }
}

void TOxEffect::AnimStart(const std::string& eventName) {
  SetActive(true);
  RunEvent(*this, exStart, eventName.c_str());
}

void TOxEffect::AnimBreak() {
  if (system_) system_->Stop(true);
  SetActive(false);
}

void TOxEffect::AdvanceTicks(double ticks) {
  if (system_) system_->Update(EffectSeconds(DAnim, ticks));
}

void TOxEffect::FollowElement() {
  if (system_) system_->MoveTo({static_cast<float>(X()), static_cast<float>(Y())}, false);
}

void TOxEffect::SetX(std::int32_t value) {
  TOxElement::SetX(value);
  FollowElement();
}

void TOxEffect::SetY(std::int32_t value) {
  TOxElement::SetY(value);
  FollowElement();
}

void TOxEffect::SetPos(std::int32_t x, std::int32_t y) {
  TOxElement::SetPos(x, y);
  if (system_ && active_) {
    system_->Restart({static_cast<float>(x), static_cast<float>(y)});
  } else {
    FollowElement();
  }
}

// The system runs whether or not the effect is visible; an active effect whose emission has
// ended clears Active once its last particle is gone.
void TOxEffect::Process() {
  if (system_) {
    AdvanceTicks(1);
    if (active_ && system_->EmitterClock() < 0 && system_->Count() == 0) SetActive(false);
  }
  TOxElement::Process();
}

// The particles carry the emitter's position already; only the parents' offset is added.
void TOxEffect::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                       std::uint8_t flag) {
  TOxElement::Render(layer, color, offsetX, offsetY, flag);
  render::TAsphyreCanvas* canvas = Canvas();
  if (layer != Order || !system_ || canvas == nullptr) return;
  canvas->SetAntialias(true);
  system_->Render(*canvas, RoundedOffset(offsetX), RoundedOffset(offsetY), hxColor | 0xFF000000u);
}

}  // namespace ox::elements
