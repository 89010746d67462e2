// An image takes the mouse where its picture is not transparent: the point is turned back into
// the unrotated picture and the alpha of the pixel there decides.
#include <cmath>
#include <numbers>

#include "elements/alignment.h"
#include "elements/drawing.h"
#include "elements/image.h"
#include "platform/core/checked.h"

namespace ox::elements {

namespace {

bool FormatCarriesAlpha(render::TextureFormat format) {
  using F = render::TextureFormat;
  return format == F::A8R8G8B8 || format == F::A4R4G4B4 || format == F::A8R3G3B2 ||
         format == F::A1R5G5B5 || format == F::A8;
}

// The centre of a box of the given size whose aligned point is at pos.
std::int32_t BoxCentre(std::int32_t pos, std::int32_t size, std::int32_t alignment) {
  switch (alignment) {
    case kAlignCenter: return pos;
    case kAlignFar: return CheckedSub(pos, size / 2);
    default: return CheckedAdd(pos, size / 2);
  }
}

}  // namespace

scene::TOxElement* TOxImage::HitTest(std::int32_t layer, std::int32_t x, std::int32_t y, std::int32_t agro,
                              std::uint8_t flag) {
  std::int32_t childX = x, childY = y;
  if (const render::TAsphyreImage* t = TexturesOf(picture_)) {
    const double scale = static_cast<double>(Scale());
    const std::int32_t sw = RoundToInt32(t->PatternWidth() * scale * static_cast<double>(ScaleX));
    const std::int32_t sh = RoundToInt32(t->PatternHeight() * scale * static_cast<double>(ScaleY));
    childX = PosHor == kAlignCenter ? CheckedAdd(x, sw / 2) : PosHor == kAlignFar ? CheckedAdd(x, sw) : x;
    childY = PosVert == kAlignCenter ? CheckedAdd(y, sh / 2) : PosVert == kAlignFar ? CheckedAdd(y, sh) : y;
  }
  scene::TOxElement* hit = TOxElement::HitTest(layer, childX, childY, agro, flag);
  if (hit == nullptr && layer == Order && TakesMouse() && picture_ != nullptr &&
      PixelHit(x, y, agro, flag))
    hit = this;
  return hit;
}

bool TOxImage::PixelHit(std::int32_t mx, std::int32_t my, std::int32_t agro, std::uint8_t threshold) const {
  const render::TAsphyreImage* t = TexturesOf(picture_);
  if (t == nullptr || ScaleThousandths() == 0) return false;
  const double scale = ScaleThousandths();
  std::int32_t sw = RoundToInt32(t->PatternWidth() * scale / 1000);
  std::int32_t sh = RoundToInt32(t->PatternHeight() * scale / 1000);
  if (sw == 0 || sh == 0) return false;
  sw = CheckedAdd(sw, CheckedMul(2, agro));
  sh = CheckedAdd(sh, CheckedMul(2, agro));
  const std::int32_t r = std::max(sw, sh) / 2;
  const std::int64_t dx = std::int64_t{mx} - BoxCentre(X(), sw, PosHor);
  const std::int64_t dy = std::int64_t{my} - BoxCentre(Y(), sh, PosVert);
  if (dx < -r || dx > r || dy < -r || dy > r) return false;
  const double dist = std::sqrt(static_cast<double>(dx * dx + dy * dy));
  const double pi = std::numbers::pi;
  double theta = dx == 0 ? (dy >= 0 ? pi / 2 : -pi / 2) : std::atan(static_cast<double>(dy) / static_cast<double>(dx));
  if (dx < 0) theta += pi;
  const double a = AngleThousandths() / 1000.0 * pi / 180;
  const double u = std::cos(theta - a) * dist + sw / 2;
  const double v = std::sin(theta - a) * dist + sh / 2;
  if (!(u >= 0 && u < sw && v >= 0 && v < sh)) return false;
  if (!FormatCarriesAlpha(t->Format())) return true;
  const std::int32_t px = RoundToInt32(u * 1000 / scale);
  const std::int32_t py = RoundToInt32(v * 1000 / scale);
  if (px < 0 || px >= t->PatternWidth() || py < 0 || py >= t->PatternHeight()) return false;
  return (media::GetTexturePixel(*t, px, py, 0) >> 24) > threshold;
}

}  // namespace ox::elements
