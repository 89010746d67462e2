// The pie sector scan-converter: which part of the inscribed ellipse each pair of angles fills.
#include "elements/pie_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace ox::elements {
namespace {

struct Pie {
  std::int32_t width, height;
  std::vector<std::uint32_t> pixels;

  Pie(std::int32_t w, std::int32_t h, double from, double to)
      : width(w), height(h),
        pixels(RasterisePie(w, h, RadialPointOf(w, h, from), RadialPointOf(w, h, to))) {}
  bool Filled(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)] == kPieFilled; }
  // Top right, top left, bottom left, bottom right: the middle of each quarter of the box.
  std::array<bool, 4> Quarters() const {
    const int l = width / 4, r = width * 3 / 4, t = height / 4, b = height * 3 / 4;
    return {Filled(r, t), Filled(l, t), Filled(l, b), Filled(r, b)};
  }
  std::size_t Count() const { return static_cast<std::size_t>(std::count(pixels.begin(), pixels.end(), kPieFilled)); }
};

TEST(PieRaster, AnglesRunClockwiseFromTheTopAndTheSectorCounterclockwiseFromTheFirst) {
  EXPECT_EQ(Pie(100, 100, 90, 0).Quarters(), (std::array{true, false, false, false}));
  EXPECT_EQ(Pie(100, 100, 0, 90).Quarters(), (std::array{false, true, true, true}));
  EXPECT_EQ(Pie(100, 100, 0, 180).Quarters(), (std::array{false, true, true, false}));
  EXPECT_EQ(Pie(100, 100, 180, 0).Quarters(), (std::array{true, false, false, true}));
  EXPECT_EQ(Pie(100, 100, 270, 180).Quarters(), (std::array{false, false, true, false}));
  EXPECT_EQ(Pie(100, 100, -90, 90).Quarters(), (std::array{false, false, true, true})) << "angles wrap";
  const Pie thin(100, 100, 50, 40);
  EXPECT_TRUE(thin.Filled(70, 30)) << "45 degrees lies between 40 and 50";
  EXPECT_FALSE(thin.Filled(80, 40));
  EXPECT_FALSE(thin.Filled(60, 10));
}

TEST(PieRaster, CoincidingRadialPointsMakeTheWholeDiscOfTheInscribedEllipse) {
  const Pie disc(200, 100, 0, 360);
  EXPECT_EQ(disc.Quarters(), (std::array{true, true, true, true}));
  EXPECT_NEAR(double(disc.Count()), std::numbers::pi / 4 * 200 * 100, 200 * 100 * 0.005);
  EXPECT_FALSE(disc.Filled(0, 0)) << "corners stay black";
  EXPECT_FALSE(disc.Filled(199, 99));
  EXPECT_TRUE(disc.Filled(0, 49)) << "the ellipse touches every side of the box";
  EXPECT_TRUE(disc.Filled(199, 50));
  EXPECT_TRUE(disc.Filled(100, 0));
  EXPECT_TRUE(disc.Filled(99, 99));
  EXPECT_EQ(Pie(10, 10, 0, 1).Count(), Pie(10, 10, 0, 360).Count())
      << "angles a degree apart round to one radial point on a small box";
  // A half-disc and its complement make the whole disc without overlapping more than the line.
  const std::size_t left = Pie(200, 100, 0, 180).Count(), right = Pie(200, 100, 180, 0).Count();
  EXPECT_NEAR(double(left + right), double(disc.Count()), 100 * 2);
}

TEST(PieRaster, TinyBoxesAndAnglesThatAreNotNumbersStillGiveAPicture) {
  EXPECT_EQ(Pie(1, 1, 0, 360).Count(), 1u);
  EXPECT_EQ(Pie(1, 7, 0, 360).pixels.size(), 7u);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(RadialPointOf(100, 100, nan), RadialPointOf(100, 100, 0));
  EXPECT_EQ(RadialPointOf(100, 100, std::numeric_limits<double>::infinity()), RadialPointOf(100, 100, 0));
  EXPECT_EQ(Pie(3, 3, nan, 90).pixels.size(), 9u);
}

}  // namespace
}  // namespace ox::elements
