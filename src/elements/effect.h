// TOxEffect: a particle effect element. It loads its particle system's parameters from an
// effect file, keeps the system's emitter at the element's position (in its parent's frame),
// advances it once per tick at DAnim effect seconds per game second, draws it in its layer, and
// is started and stopped through Active and the engine functions AnimStart, AnimStop and
// AnimBreak. Without a particle manager (no canvas) it stores its properties and does nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "elements/playable.h"
#include "render/particle_system.h"
#include "scene/element.h"

namespace ox::elements {

class TOxEffect : public scene::TOxElement, public Playable {
 public:
  TOxEffect();
  ~TOxEffect() override;
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  const std::string& EffectFN() const { return effectFN_; }
  // Replaces the system (and its live particles) by one read from the named effect file: the
  // loose file of the game folder first, else the archive record.
  void SetEffectFN(std::string name);
  bool Active() const { return active_; }
  // Starts emission, or stops it letting the live particles finish their lives.
  void SetActive(bool value);

  // Playable. AnimStart: Active, then exStart under the calling script's event name. AnimStop:
  // emission ends and the live particles finish their lives. AnimBreak: every particle
  // vanishes at once, then Active is cleared.
  void AnimStart(const std::string& eventName) override;
  void AnimStop() override { SetActive(false); }
  void AnimBreak() override;
  // ProcEf: advances the system by that many game ticks at the effect's DAnim.
  void AdvanceTicks(double ticks);

  void SetX(std::int32_t value) override;
  void SetY(std::int32_t value) override;
  // Moving an active effect this way restarts its emission clock.
  void SetPos(std::int32_t x, std::int32_t y) override;
  void Process() override;
  void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
              std::uint8_t flag) override;

  render::TXParticleSystem* System() const { return system_.get(); }

  double DAnim = 0.0;
  std::uint32_t hxColor = 0xFFFFFF;
  scene::EventScript exStart;

 private:
  void FollowElement();

  std::string effectFN_;
  bool active_ = false;
  std::unique_ptr<render::TXParticleSystem> system_;
};

}  // namespace ox::elements
