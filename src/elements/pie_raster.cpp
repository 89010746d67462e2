#include "elements/pie_raster.h"

#include <cmath>
#include <numbers>

namespace ox::elements {

namespace {

// Coordinates are doubled so that pixel centres and the box's centre are whole numbers: a
// point (x, y) of the box is (2x - width, height - 2y) here, y pointing up.
struct Vec {
  std::int64_t x = 0, y = 0;
};

std::int64_t Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
std::int64_t Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }

// Whether p lies in the sector that turns counterclockwise from r1 to r2.
class SectorTest {
 public:
  SectorTest(Vec r1, Vec r2) : r1_(r1), r2_(r2), turn_(Cross(r1, r2)), facing_(Dot(r1, r2)) {}

  bool Contains(Vec p) const {
    const bool afterFirst = Cross(r1_, p) >= 0;
    const bool beforeSecond = Cross(p, r2_) >= 0;
    if (turn_ > 0) return afterFirst && beforeSecond;   // less than a half turn
    if (turn_ < 0) return afterFirst || beforeSecond;   // more than a half turn
    if (facing_ < 0) return afterFirst;                 // exactly a half turn
    return Cross(r1_, p) == 0 && Dot(r1_, p) >= 0;      // both on one ray: only that ray
  }

 private:
  Vec r1_, r2_;
  std::int64_t turn_, facing_;
};

// The largest m >= 0 with m^2 * scale <= limit (limit >= 0, scale >= 1).
std::int64_t RootBelow(std::int64_t limit, std::int64_t scale) {
  auto m = static_cast<std::int64_t>(std::sqrt(static_cast<double>(limit) / static_cast<double>(scale)));
  while (m > 0 && m * m * scale > limit) --m;
  while ((m + 1) * (m + 1) * scale <= limit) ++m;
  return m;
}

}  // namespace

RadialPoint RadialPointOf(std::int32_t width, std::int32_t height, double degrees) {
  const double a = std::isfinite(degrees) ? degrees * std::numbers::pi / 180 : 0.0;
  return {static_cast<std::int64_t>(std::nearbyint(width / 2.0 * (std::sin(a) + 1))),
          static_cast<std::int64_t>(std::nearbyint(height / 2.0 * (1 - std::cos(a))))};
}

std::vector<std::uint32_t> RasterisePie(std::int32_t width, std::int32_t height,
                                        RadialPoint first, RadialPoint second) {
  const std::int64_t w = width, h = height;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h), kPieEmpty);
  const bool wholeDisc = first == second;
  const SectorTest sector({2 * first.x - w, h - 2 * first.y}, {2 * second.x - w, h - 2 * second.y});
  // A pixel centre is inside the ellipse when (dx / w)^2 + (dy / h)^2 <= 1 in doubled units.
  const std::int64_t all = w * w * h * h;
  for (std::int64_t y = 0; y < h; ++y) {
    const std::int64_t dy = 2 * y + 1 - h;
    const std::int64_t rowTerm = dy * dy * w * w;
    if (rowTerm > all) continue;
    const std::int64_t m = RootBelow(all - rowTerm, h * h);  // |2x + 1 - w| <= m
    const std::int64_t left = std::max<std::int64_t>(0, (w - m) / 2);
    const std::int64_t right = std::min<std::int64_t>(w - 1, (w - 1 + m) / 2);
    std::uint32_t* row = pixels.data() + y * w;
    for (std::int64_t x = left; x <= right; ++x) {
      if (wholeDisc || sector.Contains({2 * x + 1 - w, -dy})) row[x] = kPieFilled;
    }
  }
  return pixels;
}

}  // namespace ox::elements
