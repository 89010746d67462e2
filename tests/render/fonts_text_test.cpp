// Measuring and drawing strings with a font, seen through a back end that records the quads:
// advances, colour tags, the quads of every style, and the messages of a font that cannot draw.
#include <gtest/gtest.h>

#include "fake_backend.h"
#include "fonts_test_font.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/font_tags.h"
#include "render/fonts.h"

namespace ox::render {
namespace {

using testing::CellFont;
using testing::FontRecord;

// Glyphs "A" (width 8, height 10), "B" (6, 12), "C" (4, 9) in cells of 8 x 10, spacing 1.
class FontsTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fonts.SetPublisher(&device);
    canvas.SetPublisher(&device);
    fonts.SetCanvas(&canvas);
    ASSERT_TRUE(device.Initialize());
    CellFont cells;
    cells.charSpacing = 1;
    folder.Write({FontRecord("f", cells.Bytes())});
    archive.SetFileName(folder.Path());
    ASSERT_TRUE(fonts.LoadFromASDb(archive));
    font = fonts.Find("f");
  }

  // The quads drawn by one TextOut, each as its top-left vertex, in drawing order.
  std::vector<Vertex> Quads(std::string_view text, float x = 10, float y = 20,
                            std::uint32_t top = 0xFF0000FF, std::uint32_t bottom = 0xFFFF0000) {
    backend.draws.clear();
    font->TextOut(text, x, y, top, bottom, kFxBlend);
    canvas.Flush();
    std::vector<Vertex> corners;
    for (const testing::RecordedDraw& draw : backend.draws) {
      EXPECT_EQ(draw.blend, BlendStateOfEffect(kFxBlend, true));
      for (std::size_t i = 0; i < draw.vertices.size(); i += 4) {
        allCorners.assign(draw.vertices.begin() + static_cast<std::ptrdiff_t>(i),
                          draw.vertices.begin() + static_cast<std::ptrdiff_t>(i + 4));
        corners.push_back(draw.vertices[i]);
      }
    }
    return corners;
  }

  testing::FakeBackend backend;
  TAsphyreDevice device{backend};
  TAsphyreCanvas canvas;
  TAsphyreFonts fonts;
  testing::ArchiveFolder folder;
  TASDb archive;
  TAsphyreFont* font = nullptr;
  std::vector<Vertex> allCorners;  // the four corners of the last quad
};

TEST_F(FontsTextTest, AdvancesAddWidthSpacingAndInterleaveAndCharactersWithoutGlyphsABlank) {
  EXPECT_DOUBLE_EQ(font->TextWidth("AB"), 9 + 7);
  EXPECT_DOUBLE_EQ(font->TextWidth(""), 0);
  font->SetScale(2);
  font->SetInterleave(0.5);
  EXPECT_DOUBLE_EQ(font->TextWidth("AB"), (9.5 + 7.5) * 2);
  // "@" lies below the first character, "D" beyond the glyph table: the blank advance.
  EXPECT_DOUBLE_EQ(font->TextWidth("@D"), 2 * (8 * 0.3 + 0.5) * 2);
  font->SetBlankSpacing(1);
  EXPECT_DOUBLE_EQ(font->TextWidth("\xFF"), (8 + 0.5) * 2);

  EXPECT_DOUBLE_EQ(font->TextHeight("AB"), 24);
  EXPECT_DOUBLE_EQ(font->TextHeight("CA"), 20);
  EXPECT_DOUBLE_EQ(font->TextHeight("@D "), 0);
  EXPECT_DOUBLE_EQ(font->TextHeight(""), 0);
}

TEST_F(FontsTextTest, TagsAreNeitherMeasuredNorDrawnUnlessTextTagsIsOff) {
  const std::string tagged = "#$FFAA00FFA&$00FF00FFB0x11223344C";
  EXPECT_DOUBLE_EQ(font->TextWidth(tagged), font->TextWidth("ABC"));
  EXPECT_DOUBLE_EQ(font->TextHeight("#$FF0000FF"), 0);
  EXPECT_EQ(Quads(tagged).size(), 3u);

  font->SetTextTags(false);
  // The two "A"s of "FFAA00FF" are the only tag characters with glyphs.
  EXPECT_DOUBLE_EQ(font->TextWidth(tagged), font->TextWidth("ABC") + 2 * 9 + 28 * 8 * 0.3);
  EXPECT_EQ(Quads(tagged).size(), 5u);
}

TEST(FontTagsTest, EachKindOfTagSetsItsColoursOncePerCharacter) {
  const auto scan = [](std::string_view text) {
    std::vector<TTaggedChar> chars;
    TTagScanner scanner(text, true, 1, 2);
    for (TTaggedChar c; scanner.Next(c);) chars.push_back(c);
    return chars;
  };
  auto chars = scan("#$FF0000FFa&$0000FF00b0xAABBCCDDc");
  ASSERT_EQ(chars.size(), 3u);
  EXPECT_EQ(chars[0].code, 'a');
  EXPECT_EQ(chars[0].top, 0xFF0000FFu);
  EXPECT_EQ(chars[0].bottom, 2u);
  EXPECT_EQ(chars[1].bottom, 0x0000FF00u);
  EXPECT_EQ(chars[2].top, 0xAABBCCDDu);
  EXPECT_EQ(chars[2].bottom, 0xAABBCCDDu);

  // All three before one character; a second tag of a kind already passed is text.
  chars = scan("#$00000003&$000000040x00000005#$00000006");
  ASSERT_EQ(chars.size(), 10u);
  EXPECT_EQ(chars[0].code, '#');
  EXPECT_EQ(chars[0].top, 5u);
  EXPECT_EQ(chars[0].bottom, 5u);

  // Digits that are not hexadecimal keep the colour but are skipped; a cut tag is text.
  chars = scan("#$FF0000GGx#$12");
  ASSERT_EQ(chars.size(), 5u);
  EXPECT_EQ(chars[0].code, 'x');
  EXPECT_EQ(chars[0].top, 1u);
  EXPECT_EQ(chars[1].code, '#');
}

TEST_F(FontsTextTest, GlyphQuadsSitAtThePenWithTheTopColourAboveAndTheBottomColourBelow) {
  const std::vector<Vertex> quads = Quads("@AB", 10, 20, 0xFF0000FF, 0xFFFF0000);
  ASSERT_EQ(quads.size(), 2u);
  // The blank of "@" moves "A" by 2.4; "A" advances 9. Texel centres sit half a pixel up-left.
  EXPECT_FLOAT_EQ(quads[0].x, 12.4f - 0.5f);
  EXPECT_FLOAT_EQ(quads[0].y, 19.5f);
  EXPECT_FLOAT_EQ(quads[1].x, 21.4f - 0.5f);
  ASSERT_EQ(allCorners.size(), 4u);
  EXPECT_FLOAT_EQ(allCorners[2].x - allCorners[0].x, 8);
  EXPECT_FLOAT_EQ(allCorners[2].y - allCorners[0].y, 10);
  EXPECT_FLOAT_EQ(allCorners[0].u, 8.0f / 24);
  EXPECT_FLOAT_EQ(allCorners[1].u, 16.0f / 24);
  EXPECT_EQ(allCorners[0].colour, SwapRedBlue(0xFF0000FF));
  EXPECT_EQ(allCorners[1].colour, SwapRedBlue(0xFF0000FF));
  EXPECT_EQ(allCorners[2].colour, SwapRedBlue(0xFFFF0000));
  EXPECT_EQ(allCorners[3].colour, SwapRedBlue(0xFFFF0000));

  // Scale 1.25: cells of round(10) x round(12.5) = 10 x 12, halves to even.
  font->SetScale(1.25);
  Quads("A");
  EXPECT_FLOAT_EQ(allCorners[2].x - allCorners[0].x, 10);
  EXPECT_FLOAT_EQ(allCorners[2].y - allCorners[0].y, 12);
}

TEST_F(FontsTextTest, ItalicShearsTheCellByAnEighthOfItsWidth) {
  font->SetStyle({TFontEffect::feItalic});
  font->SetScale(2);
  Quads("A", 10, 20);
  ASSERT_EQ(allCorners.size(), 4u);
  EXPECT_FLOAT_EQ(allCorners[0].x, 11 - 0.5f);
  EXPECT_FLOAT_EQ(allCorners[1].x, 27 - 0.5f);
  EXPECT_FLOAT_EQ(allCorners[2].x, 25 - 0.5f);
  EXPECT_FLOAT_EQ(allCorners[3].x, 9 - 0.5f);
}

struct StyledQuad {
  float dx, dy;
  std::uint32_t colour;  // of the top-left corner, engine order
};

TEST_F(FontsTextTest, ShadowEmbossAndBoldDrawTheirQuadsInOrder) {
  const std::uint32_t top = 0xFF0000FF;
  font->SetShadowColor(0xAA123456);
  font->SetShadowDistance(2);
  font->SetEmbossColor(0x11654321);
  const std::uint32_t shadow = 0x80123456, emboss = 0xCC654321, boldEmboss = 0x85654321;
  const std::vector<std::pair<TFontStyle, std::vector<StyledQuad>>> cases = {
      {{}, {{0, 0, top}}},
      {{TFontEffect::feShadow}, {{4, 4, shadow}, {0, 0, top}}},
      {{TFontEffect::feShadow, TFontEffect::feBold},
       {{6, 4, shadow}, {0, 0, top}, {-1, 0, top}, {1, 0, top}}},
      {{TFontEffect::feEmboss}, {{-1, -1, top}, {0, 0, emboss}}},
      {{TFontEffect::feEmboss, TFontEffect::feBold},
       {{-1, -1, top},
        {-2, -1, top},
        {0, -1, top},
        {0, 0, boldEmboss},
        {-1, 0, boldEmboss},
        {1, 0, boldEmboss}}},
  };
  for (const auto& [style, expected] : cases) {
    font->SetStyle(style);
    const std::vector<Vertex> quads = Quads("A", 10, 20, top);
    ASSERT_EQ(quads.size(), expected.size());
    for (std::size_t i = 0; i < quads.size(); ++i) {
      EXPECT_FLOAT_EQ(quads[i].x, 9.5f + expected[i].dx) << i;
      EXPECT_FLOAT_EQ(quads[i].y, 19.5f + expected[i].dy) << i;
      EXPECT_EQ(quads[i].colour, SwapRedBlue(expected[i].colour)) << i;
    }
  }
  // Opacities outside 0 ... 1 are taken as the nearest end.
  font->SetStyle({TFontEffect::feShadow});
  font->SetShadowIntensity(7);
  EXPECT_EQ(Quads("A")[0].colour, SwapRedBlue(0xFF123456));
  font->SetShadowIntensity(-1);
  EXPECT_EQ(Quads("A")[0].colour, SwapRedBlue(0x00123456));
}

TEST_F(FontsTextTest, AFontWithoutListOrCanvasSaysSoOnceAndDrawsNothing) {
  TAsphyreFont orphan(nullptr, "orphan");
  ASSERT_TRUE(orphan.Load(CellFont{}.Record(), backend));
  ::testing::internal::CaptureStderr();
  orphan.TextOut("A", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, kFxBlend);
  orphan.TextOut("A", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, kFxBlend);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "oxplayer: TAsphyreFont: Unassigned Owner property.\n");
  EXPECT_DOUBLE_EQ(orphan.TextWidth("A"), 8);

  fonts.SetCanvas(nullptr);
  ::testing::internal::CaptureStderr();
  font->TextOut("A", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, kFxBlend);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "oxplayer: TAsphyreFont: Unassigned Owner.Canvas property.\n");
  canvas.Flush();
  EXPECT_TRUE(backend.draws.empty());
}

}  // namespace
}  // namespace ox::render
