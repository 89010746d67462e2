// TOxEffect: a particle effect element, emitting the particles of an effect file.
#pragma once

#include <cstdint>
#include <string>

#include "scene/element.h"

namespace ox::elements {

class TOxEffect : public scene::TOxElement {
 public:
  TOxEffect();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  const std::string& EffectFN() const { return effectFN_; }
  void SetEffectFN(std::string name) { effectFN_ = std::move(name); }
  bool Active() const { return active_; }
  void SetActive(bool value) { active_ = value; }

  double DAnim = 0.0;
  std::uint32_t hxColor = 0xFFFFFF;
  scene::EventScript exStart;

 private:
  std::string effectFN_;
  bool active_ = false;
};

}  // namespace ox::elements
