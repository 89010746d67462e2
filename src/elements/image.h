// TOxImage: one picture (or one pattern of a multi-pattern picture) drawn at a position,
// aligned, scaled, rotated and tinted. Scale and angle are kept in thousandths, so a value
// reads back rounded to three decimals.
#pragma once

#include <cstdint>
#include <string>

#include "elements/tint.h"
#include "scene/element.h"

namespace ox::elements {

class TOxImage : public scene::TOxElement {
 public:
  TOxImage();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  const std::string& imImage() const { return imImage_; }
  void SetImImage(std::string name);
  long double Scale() const { return scale_ / 1000.0L; }
  void SetScale(long double value);
  long double Angle() const { return angle_ / 1000.0L; }
  void SetAngle(long double value);
  std::int32_t ScaleThousandths() const { return scale_; }
  std::int32_t AngleThousandths() const { return angle_; }
  std::uint32_t hxColor() const { return tint_.Color(); }
  void SetHxColor(std::uint32_t rgb) { tint_.SetColor(rgb); }
  std::uint8_t hxTrans() const { return tint_.Trans(); }
  void SetHxTrans(std::uint8_t alpha) { tint_.SetTrans(alpha); }
  std::uint32_t Colour() const { return tint_.argb; }
  std::int32_t Anim() const { return anim_; }
  void SetAnim(std::int32_t pattern) { anim_ = pattern; }
  const std::string& TextId() const { return textId_; }
  void SetTextId(std::string id) { textId_ = std::move(id); }

  std::uint32_t hxDrawFx = 0x504;
  std::int32_t PosHor = 0;
  std::int32_t PosVert = 0;
  long double ScaleX = 1.0L;
  long double ScaleY = 1.0L;
  bool Interpol = true;
  bool InterpolSc = true;

 private:
  std::string imImage_;
  std::int32_t scale_ = 1000;
  std::int32_t angle_ = 0;
  std::int32_t anim_ = 0;
  std::string textId_;
  Tint tint_{0xFFFFFFFFu};
};

}  // namespace ox::elements
