// TOxAnim: a key-frame animation whose keys (TOxAnKey children) hold the images it interpolates.
#pragma once

#include <cstdint>
#include <string>

#include "elements/box_element.h"

namespace ox::elements {

class TOxAnim : public TOxBoxElement {
 public:
  TOxAnim();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  // An animation never takes the mouse, nor does anything inside it.
  scene::TOxElement* HitTest(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                             std::uint8_t) override {
    return nullptr;
  }

  const std::string& ImBack() const { return imBack_; }
  void SetImBack(std::string name) { imBack_ = std::move(name); }
  std::int32_t Pos() const { return pos_; }
  void SetFramePos(std::int32_t frame) { pos_ = frame; }
  bool Morph() const { return morph_; }
  void SetMorph(bool value) { morph_ = value; }

  std::uint32_t hxDrawFx = 1;
  std::int32_t Agro = 0;
  bool Modal = false;
  bool Rep = false;
  bool ShowAn = false;
  bool Active = false;
  scene::EventScript exStop, exStart, exAnim;
  long double Angle = 0.0L;
  bool Interpol = false;

 private:
  std::string imBack_;
  std::int32_t pos_ = 0;
  bool morph_ = false;
};

}  // namespace ox::elements
