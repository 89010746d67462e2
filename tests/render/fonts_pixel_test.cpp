// Text drawn through the real OpenGL back end: a glyph's pixels, a colour tag, and the pixels
// of italic, shadow, emboss and bold. Skipped where EGL gives no context.
#include <gtest/gtest.h>

#include "fonts_test_font.h"
#include "gl_fixture.h"
#include "render/fonts.h"

namespace ox::render {
namespace {

using testing::CellFont;
using testing::Near;
using testing::Rgb;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhiteRgb{255, 255, 255};

class FontsPixelTest : public testing::GlCanvasTest {
 protected:
  void SetUp() override {
    GlCanvasTest::SetUp();
    if (IsSkipped()) return;
    fonts.SetPublisher(&device);
    fonts.SetCanvas(&canvas);
  }

  // "A" as the cell's texels say, with cells of `side` x `side`.
  TAsphyreFont& Font(int side, std::function<bool(int x, int y)> lit) {
    CellFont cells;
    cells.cellWidth = cells.cellHeight = side;
    cells.glyphs = {{side, side}};
    cells.texel = [lit](int, int x, int y) { return lit(x, y) ? kWhite : 0u; };
    folder.Write({testing::FontRecord("f", cells.Bytes())});
    archive.SetFileName(folder.Path());
    EXPECT_TRUE(fonts.LoadFromASDb(archive));
    return *fonts.Find("f");
  }
  // A 4 x 4 square in the middle of an 8 x 8 cell.
  TAsphyreFont& SquareFont() {
    return Font(8, [](int x, int y) { return x >= 2 && x < 6 && y >= 2 && y < 6; });
  }

  // The mean column of the lit pixels of a row between two columns.
  double LitCentre(int y, int from, int to) const {
    double sum = 0;
    int count = 0;
    for (int x = from; x < to; ++x) {
      if (At(x, y).r > 128) {
        sum += x;
        ++count;
      }
    }
    return count > 0 ? sum / count : -1;
  }

  TAsphyreFonts fonts;
  testing::ArchiveFolder folder;
  TASDb archive;
};

TEST_F(FontsPixelTest, AGlyphDrawsItsTexelsAtThePen) {
  TAsphyreFont& font = SquareFont();
  Render([&] { font.TextOut("A", 100, 100, kWhite, kWhite, kFxBlend); });
  EXPECT_TRUE(Near(At(102, 102), kWhiteRgb));
  EXPECT_TRUE(Near(At(105, 105), kWhiteRgb));
  EXPECT_TRUE(Near(At(101, 103), kBlack));
  EXPECT_TRUE(Near(At(106, 103), kBlack));
  EXPECT_TRUE(Near(At(103, 106), kBlack));
}

TEST_F(FontsPixelTest, ATopColourTagReddensTheUpperCornersOfTheFollowingGlyphs) {
  TAsphyreFont& font = SquareFont();
  Render([&] { font.TextOut("A#$FF0000FFA", 100, 100, kWhite, kWhite, kFxBlend); });
  EXPECT_TRUE(Near(At(103, 102), kWhiteRgb));
  const Rgb top = At(111, 102), bottom = At(111, 105);
  EXPECT_TRUE(Near({top.r, 0, 0}, {255, 0, 0}));
  EXPECT_LT(top.g, bottom.g - 50);
  EXPECT_LT(bottom.g, 255 - 20);

  font.SetTextTags(false);  // ten characters without glyphs: ten blanks of 2.4
  Render([&] { font.TextOut("A#$FF0000FFA", 100, 100, kWhite, kWhite, kFxBlend); });
  EXPECT_TRUE(Near(At(111, 103), kBlack));
  EXPECT_TRUE(Near(At(135, 103), kWhiteRgb));
}

TEST_F(FontsPixelTest, ItalicLeansTheGlyphRight) {
  // A bar two columns wide down the middle of a 16 x 16 cell: the top row moves 2 right, the
  // bottom row 2 left.
  TAsphyreFont& font = Font(16, [](int x, int) { return x == 7 || x == 8; });
  Render([&] { font.TextOut("A", 200, 200, kWhite, kWhite, kFxBlend); });
  EXPECT_NEAR(LitCentre(200, 195, 225) - LitCentre(215, 195, 225), 0, 0.6);
  font.SetStyle({TFontEffect::feItalic});
  Render([&] { font.TextOut("A", 200, 200, kWhite, kWhite, kFxBlend); });
  EXPECT_NEAR(LitCentre(200, 195, 225) - LitCentre(215, 195, 225), 4 * 15.0 / 16, 1.1);
}

TEST_F(FontsPixelTest, ShadowFallsTwoPixelsDownRightTimesItsDistance) {
  TAsphyreFont& font = SquareFont();
  font.SetStyle({TFontEffect::feShadow});
  font.SetShadowColor(0x00FF0000);  // blue
  font.SetShadowIntensity(1);
  Render([&] { font.TextOut("A", 100, 100, kWhite, kWhite, kFxBlend); });
  EXPECT_TRUE(Near(At(103, 103), kWhiteRgb));
  EXPECT_TRUE(Near(At(107, 107), {0, 0, 255}));
  EXPECT_TRUE(Near(At(108, 108), kBlack));

  font.SetShadowDistance(2);
  font.SetShadowIntensity(0.5);
  Render([&] { font.TextOut("A", 100, 100, kWhite, kWhite, kFxBlend); });
  EXPECT_TRUE(Near(At(106, 106), {0, 0, 128}));
  EXPECT_TRUE(Near(At(109, 109), {0, 0, 128}));
  EXPECT_TRUE(Near(At(110, 109), kBlack));
  EXPECT_TRUE(Near(At(107, 105), kBlack));
}

TEST_F(FontsPixelTest, EmbossLeavesTheGlyphUpLeftOfItsReliefAndBoldWidensIt) {
  TAsphyreFont& font = SquareFont();
  font.SetStyle({TFontEffect::feEmboss});
  font.SetEmbossColor(0x0000FF00);  // green
  font.SetEmbossStrength(1);
  Render([&] { font.TextOut("A", 100, 100, kWhite, kWhite, kFxBlend); });
  EXPECT_TRUE(Near(At(101, 103), kWhiteRgb));
  EXPECT_TRUE(Near(At(103, 101), kWhiteRgb));
  EXPECT_TRUE(Near(At(103, 103), {0, 255, 0}));
  EXPECT_TRUE(Near(At(105, 105), {0, 255, 0}));
  EXPECT_TRUE(Near(At(106, 105), kBlack));

  font.SetStyle({TFontEffect::feBold});
  Render([&] { font.TextOut("A", 100, 100, kWhite, kWhite, kFxBlend); });
  EXPECT_TRUE(Near(At(101, 103), kWhiteRgb));
  EXPECT_TRUE(Near(At(106, 103), kWhiteRgb));
  EXPECT_TRUE(Near(At(100, 103), kBlack));
  EXPECT_TRUE(Near(At(107, 103), kBlack));
  EXPECT_TRUE(Near(At(103, 106), kBlack));
}

}  // namespace
}  // namespace ox::render
