// Drawing an image: its pattern aligned, scaled, rotated and tinted, cut to the guard band.
#include <cmath>
#include <numbers>

#include "elements/alignment.h"
#include "elements/drawing.h"
#include "elements/guard_band.h"
#include "elements/image.h"
#include "elements/pattern_quad.h"
#include "media/image_store.h"
#include "platform/core/checked.h"

namespace ox::elements {

render::TAsphyreImage* TOxImage::LoadedTextures() {
  render::TAsphyreImage* textures = TexturesOf(picture_);
  if (textures != nullptr || picture_ == nullptr || picture_->Failed()) return textures;
  // Not loaded yet: request it again with loading allowed.
  media::ImageStore& store = *media::Images();
  const bool loadNow = store.ImLoadNow();
  store.SetImLoadNow(true);
  SetImImage(imImage());
  store.SetImLoadNow(loadNow);
  return TexturesOf(picture_);
}

std::int32_t TOxImage::GetSizeX() const {
  const render::TAsphyreImage* t = TexturesOf(picture_);
  return t ? RoundToInt32(t->PatternWidth() * Scale() * ScaleX) : 0;
}

std::int32_t TOxImage::GetSizeY() const {
  const render::TAsphyreImage* t = TexturesOf(picture_);
  return t ? RoundToInt32(t->PatternHeight() * Scale() * ScaleY) : 0;
}

std::int32_t TOxImage::GetAbsX() const {
  const std::int32_t aligned = AlignedOrigin(X(), GetSizeX(), PosHor);
  return Parent() ? CheckedAdd(Parent()->GetAbsX(), aligned) : aligned;
}

std::int32_t TOxImage::GetAbsY() const {
  const std::int32_t aligned = AlignedOrigin(Y(), GetSizeY(), PosVert);
  return Parent() ? CheckedAdd(Parent()->GetAbsY(), aligned) : aligned;
}

void TOxImage::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                      std::uint8_t flag) {
  if (!ResLoaded) LoadResources();
  render::TAsphyreImage* textures = picture_ ? LoadedTextures() : nullptr;
  if (textures == nullptr) return TOxElement::Render(layer, color, offsetX, offsetY, flag);

  const double scale = static_cast<double>(Scale());
  const double w = scale * textures->PatternWidth() * static_cast<double>(ScaleX);
  const double h = scale * textures->PatternHeight() * static_cast<double>(ScaleY);
  const double cx = rX + w / 2 - AlignmentShift(w, PosHor);
  const double cy = rY + h / 2 - AlignmentShift(h, PosVert);
  if (layer == Order && Canvas() != nullptr) {
    const render::TPoint2 centre{static_cast<float>(offsetX + cx), static_cast<float>(offsetY + cy)};
    const long double radians =
        AngleThousandths() == 0 ? 0.0L : Angle() * std::numbers::pi_v<long double> / 180;
    DrawPatternQuad(*Canvas(), *textures, {centre, ScaleX, ScaleY, Scale(), radians, Anim(), Colour(), hxDrawFx});
  }
  TOxElement::Render(layer, color, offsetX - AlignmentShift(w, PosHor), offsetY - AlignmentShift(h, PosVert), flag);
}

}  // namespace ox::elements
