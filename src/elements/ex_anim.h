// TOxExAnim: an animation reference, playing another animation (by its Key) at its own place.
#pragma once

#include <cstdint>

#include "scene/element.h"

namespace ox::elements {

class TOxExAnim : public scene::TOxElement {
 public:
  TOxExAnim();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  std::int32_t obAnim() const { return obAnim_; }
  void SetObAnim(std::int32_t key) { obAnim_ = key; }
  std::int32_t Pos() const { return pos_; }
  void SetFramePos(std::int32_t frame) { pos_ = frame; }

  std::int32_t PosHor = 0;
  std::int32_t PosVert = 0;
  bool Rep = false;
  bool Active = false;

 private:
  std::int32_t obAnim_ = 0;
  std::int32_t pos_ = 0;
};

}  // namespace ox::elements
