// The sparkle functions: stars rising from a picture's lower or upper edge, and stars over
// the whole of a picture at the points of a grid.
#include <string>

#include "elements/drawing.h"
#include "platform/core/random.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

constexpr std::uint32_t kAboveAlpha100 = 0x64FFFFFF;  // a texel above it has alpha above 100
constexpr std::uint32_t kBelowAlpha100 = 0x63FFFFFF;  // a texel up to it has alpha below 100
constexpr std::uint32_t kOpaque = 0xFF000000;

// The picture of an image as its texture set shows it now: its current pattern's texels,
// visible size and place on the screen.
struct Texels {
  const render::TAsphyreImage& textures;
  const elements::TOxImage& image;
  int width() const { return textures.VisibleWidth(); }
  int height() const { return textures.VisibleHeight(); }
  std::uint32_t at(int x, int y) const { return media::GetTexturePixel(textures, x, y, image.Anim()); }
  double x0() const { return image.GetAbsX(); }
  double y0() const { return image.GetAbsY(); }
};

std::optional<Texels> TexelsOf(const elements::TOxImage& image) {
  const render::TAsphyreImage* textures = elements::TexturesOf(image.Picture());
  if (textures == nullptr) return std::nullopt;
  return Texels{*textures, image};
}

double RandomScale(double base) { return platform::RandomBelow(50) / 100.0 + base; }

// The first row from `from` down whose texel in the column passes the test; -1 when none.
template <class Test>
int FirstRow(const Texels& t, int column, int from, Test test) {
  for (int row = from; row < t.height(); ++row) {
    if (test(t.at(column, row))) return row;
  }
  return -1;
}

struct GridSparkles {
  int step;
  double scaleBase;
  double scaleSpeed;
};
constexpr GridSparkles kStarsAll{10, 1.5, -0.015};
constexpr GridSparkles kStarsAll2{3, 0.5, -0.015};
constexpr GridSparkles kStarsAll3{5, 1.5, -0.03};

// A sparkle at every grid point whose texel has alpha above 100, in the texel's colour or the
// one given.
void SparkleGrid(const elements::TOxImage& image, const GridSparkles& grid, const std::optional<std::string>& colour) {
  const std::optional<Texels> t = TexelsOf(image);
  if (!t) return;
  for (int i = 0; i <= t->width() / grid.step; ++i) {
    for (int j = 0; j <= t->height() / grid.step; ++j) {
      const std::uint32_t texel = t->at(grid.step * i, grid.step * j);
      if (texel <= kAboveAlpha100) continue;
      AddSparkle(t->x0() + grid.step * i, t->y0() + grid.step * j, RandomScale(grid.scaleBase), grid.scaleSpeed, 0,
                 colour ? colour : std::to_string(texel & 0xFFFFFF));
    }
  }
}

}  // namespace

// One rising sparkle where a column's opaque part ends: the first row below the first row of
// alpha above 100 whose alpha is below 100.
void StarsToUp(elements::TOxImage& image, TVarList&) {
  const std::optional<Texels> t = TexelsOf(image);
  if (!t || t->width() <= 0) return;
  const int column = platform::RandomBelow(t->width());
  const int top = FirstRow(*t, column, 0, [](std::uint32_t texel) { return texel > kAboveAlpha100; });
  if (top < 0 || top > t->height() - 2) return;
  const int bottom = FirstRow(*t, column, top, [](std::uint32_t texel) { return texel <= kBelowAlpha100; });
  if (bottom < 0) return;
  AddSparkle(t->x0() + column, t->y0() + bottom, RandomScale(0.5), -0.02, -1.0, std::nullopt);
}

// One rising sparkle at a column's first fully opaque texel.
void StarsTopToUp(elements::TOxImage& image, TVarList&) {
  const std::optional<Texels> t = TexelsOf(image);
  if (!t || t->width() <= 0) return;
  const int column = platform::RandomBelow(t->width());
  const int row = FirstRow(*t, column, 0, [](std::uint32_t texel) { return texel >= kOpaque; });
  if (row < 0) return;
  AddSparkle(t->x0() + column, t->y0() + row, RandomScale(0.5), -0.02, -1.0, std::nullopt);
}

void StarsAll(elements::TOxImage& image, TVarList&) { SparkleGrid(image, kStarsAll, std::nullopt); }
void StarsAll2(elements::TOxImage& image, TVarList&) { SparkleGrid(image, kStarsAll2, std::nullopt); }
void StarsAll3(elements::TOxImage& image, TVarList& args) {
  if (args.Count() >= 2) SparkleGrid(image, kStarsAll3, AsText(args[1].Val));
}

}  // namespace ox::scriptlib
