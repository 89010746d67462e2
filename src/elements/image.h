// TOxImage: one picture (or one pattern of a multi-pattern picture) drawn at a position,
// aligned, scaled, rotated and tinted. Scale and angle are kept in thousandths, so a value
// reads back rounded to three decimals.
#pragma once

#include <cstdint>
#include <string>

#include "elements/tint.h"
#include "scene/element.h"

namespace ox::media {
class TOxIm;
}
namespace ox::render {
class TAsphyreImage;
}

namespace ox::elements {

class TOxImage : public scene::TOxElement {
 public:
  TOxImage();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  // The picture; reading gives the store's name of it ("" when there is none).
  const std::string& imImage() const;
  void SetImImage(std::string name);
  media::TOxIm* Picture() const { return picture_; }
  // The picture's textures, loaded now when the store does not hold them; none without one.
  render::TAsphyreImage* LoadedTextures();
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
  // Stores the key and looks it up in the language texts (the image does not use the text).
  void SetTextId(std::string id);

  // The picture's pattern scaled by Scale and ScaleX (ScaleY); 0 without a loaded picture.
  std::int32_t GetSizeX() const override;
  std::int32_t GetSizeY() const override;
  // The absolute position of the picture's top-left corner.
  std::int32_t GetAbsX() const override;
  std::int32_t GetAbsY() const override;
  // Children are drawn and hit relative to the picture's top-left corner.
  scene::TOxElement* HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                             std::int32_t agro, std::uint8_t flag) override;
  void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
              std::uint8_t flag) override;
  // Whether the picture is hit at the point (relative to the image's parent): by the alpha of
  // its pixel above the threshold, the box widened by agro on every side.
  bool PixelHit(std::int32_t x, std::int32_t y, std::int32_t agro, std::uint8_t threshold) const;

  std::uint32_t hxDrawFx = 0x504;
  std::int32_t PosHor = 0;
  std::int32_t PosVert = 0;
  long double ScaleX = 1.0L;
  long double ScaleY = 1.0L;
  bool Interpol = true;
  bool InterpolSc = true;

 private:
  media::TOxIm* picture_ = nullptr;
  std::int32_t scale_ = 1000;
  std::int32_t angle_ = 0;
  std::int32_t anim_ = 0;
  std::string textId_;
  Tint tint_{0xFFFFFFFFu};
};

}  // namespace ox::elements
