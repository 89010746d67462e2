// Texts drawn in a bitmap font through a back end that records the quads: where the lines of a
// text land for each alignment and Interval, the gradient and shadow, when filtering is on, the
// setters that lay the text out again, and "TEXTSZ".
#include "elements/text.h"

#include "../render/fonts_test_font.h"
#include "hit_fixture.h"
#include "picture_fixture.h"
#include "render/colour.h"
#include "script/value.h"

using namespace std::string_literals;

namespace ox::elements {
namespace {

// Glyphs "a" to "e", each 10 pixels wide and 20 high; any other character advances 3 (blank).
struct Texts : HitFixture {
  void SetUp() override {
    HitFixture::SetUp();
    fonts.SetPublisher(&pictures.device);
    fonts.SetCanvas(&pictures.canvas);
    render::testing::CellFont cells;
    cells.firstChar = 'a';
    cells.cellWidth = 10;
    cells.cellHeight = 20;
    cells.glyphs.assign(5, {10, 20});
    archiveFolder.Write({render::testing::FontRecord("Plain", cells.Bytes())});
    archive.SetFileName(archiveFolder.Path());
    ASSERT_TRUE(fonts.LoadFromASDb(archive));
    SetFonts(&fonts);
  }
  void TearDown() override { SetFonts(nullptr); }

  TOxText* Text(const std::string& text, bool enEnter = true) {
    auto* t = scene::TOxElement::CreateIn<TOxText>(*current);
    t->SetEnEnter(enEnter);
    t->SetFont("plain");
    t->SetSizeY(100);
    t->SetText(text);
    return t;
  }
  // The top-left corner of every quad drawn, in drawing order.
  std::vector<render::Vertex> Corners(TOxText& text) {
    pictures.backend.draws.clear();
    text.Render(text.Order, 0xFFFFFFFF, 0, 0, 0);
    std::vector<render::Vertex> corners;
    const std::vector<render::Vertex> all = pictures.Drawn();
    for (std::size_t i = 0; i < all.size(); i += 4) corners.push_back(all[i]);
    return corners;
  }

  testing::PictureStore pictures;
  render::TAsphyreFonts fonts;
  render::testing::ArchiveFolder archiveFolder;
  render::TASDb archive;
};

TEST_F(Texts, BreaksMakeLinesAndWithoutEnEnterTheTextIsOneLine) {
  TOxText* text = Text("ab\\ncd");
  EXPECT_EQ(text->Layout(), "ab\0cd\0"s);
  const auto corners = Corners(*text);
  ASSERT_EQ(corners.size(), 4u);
  EXPECT_FLOAT_EQ(corners[2].x, -0.5f) << "the second line starts at the left again";
  EXPECT_FLOAT_EQ(corners[2].y, 19.5f) << "one line height down";

  text->SetEnEnter(false);
  EXPECT_EQ(text->Layout(), "ab\\ncd");
  const auto one = Corners(*text);
  ASSERT_EQ(one.size(), 4u) << "backslash and n have no glyphs";
  EXPECT_FLOAT_EQ(one[2].x, 25.5f) << "20 + two blanks of 3";
  EXPECT_FLOAT_EQ(one[2].y, -0.5f);
}

TEST_F(Texts, TheBlockOfLinesAlignsVerticallyWithItsInterval) {
  TOxText* text = Text("ab\r\ncd");
  text->SetInterval(4);
  text->PosVert = 1;  // pvCenter: (100 - (2 x 20 + 4)) / 2
  auto corners = Corners(*text);
  ASSERT_EQ(corners.size(), 4u);
  EXPECT_FLOAT_EQ(corners[0].y, 27.5f);
  EXPECT_FLOAT_EQ(corners[2].y, 51.5f);
  text->PosVert = 2;  // pvBottom
  EXPECT_FLOAT_EQ(Corners(*text)[0].y, 55.5f);
}

TEST_F(Texts, EachLineAlignsInTheBoxButTheHitBoxStays) {
  TOxText* text = Text("ab\\nabcd");
  text->SetPos(200, 300);
  text->rX = 200;
  text->rY = 300;
  text->PosHor = 1;  // phCenter
  auto corners = Corners(*text);
  ASSERT_EQ(corners.size(), 6u);
  EXPECT_FLOAT_EQ(corners[0].x, 200 + 40 - 0.5f);
  EXPECT_FLOAT_EQ(corners[2].x, 200 + 30 - 0.5f);
  text->PosHor = 2;  // phRight
  EXPECT_FLOAT_EQ(Corners(*text)[0].x, 200 + 80 - 0.5f);
  EXPECT_EQ(text->HitTest(0, 200, 300, 0, 0), text);
  EXPECT_EQ(text->HitTest(0, 300, 400, 0, 0), text);
  EXPECT_EQ(text->HitTest(0, 199, 300, 0, 0), nullptr);
}

TEST_F(Texts, FilteringIsOnForAScaleOrAFractionalPosition) {
  TOxText* text = Text("ab");
  Corners(*text);
  EXPECT_FALSE(pictures.backend.draws.at(0).linear);
  text->rX = 0.5;
  Corners(*text);
  EXPECT_TRUE(pictures.backend.draws.at(0).linear);
  text->rX = 0;
  text->PosHor = 1;
  text->SetSizeX(101);  // the line starts at 40.5
  Corners(*text);
  EXPECT_TRUE(pictures.backend.draws.at(0).linear);
  text->PosHor = 0;
  text->SetScale(2);
  Corners(*text);
  EXPECT_TRUE(pictures.backend.draws.at(0).linear);
}

TEST_F(Texts, LinesShadeFromTheTopColourToTheBottomOneWithTheirShadowFirst) {
  TOxText* text = Text("a");
  text->SetHxColor1(0x0000FF);  // red
  text->SetHxTrans2(0xFF);
  text->SetHxColor2(0xFF0000);  // blue
  text->hxDrawFx = render::kFxAdd;
  pictures.backend.draws.clear();
  text->Render(0, 0xFFFFFFFF, 0, 0, 0);
  auto quad = pictures.Drawn();
  ASSERT_EQ(quad.size(), 4u);
  EXPECT_EQ(quad[0].colour, render::SwapRedBlue(0xFF0000FFu));
  EXPECT_EQ(quad[3].colour, render::SwapRedBlue(0xFFFF0000u));
  EXPECT_EQ(pictures.backend.draws[0].blend, render::BlendStateOfEffect(render::kFxAdd, true));

  text->Shadow = true;
  text->hxShadColor = 0x00FF00;
  pictures.backend.draws.clear();
  text->Render(0, 0xFFFFFFFF, 0, 0, 0);
  quad = pictures.Drawn();
  ASSERT_EQ(quad.size(), 8u);
  EXPECT_EQ(quad[0].colour, render::SwapRedBlue(0x8000FF00u)) << "the shadow at half intensity";
  EXPECT_FLOAT_EQ(quad[0].x, 1.5f);
  EXPECT_EQ(quad[4].colour, render::SwapRedBlue(0xFF0000FFu));
}

TEST_F(Texts, TheSettersThatShapeLinesLayTheTextOutAgain) {
  TOxText* text = Text("ab cd");
  text->SetAutoEnter(true);
  text->SetSizeX(25);
  EXPECT_EQ(text->Layout(), "ab\0cd"s);
  text->SetSizeX(100);
  EXPECT_EQ(text->Layout(), "ab cd");
  text->SetScale(3);
  EXPECT_EQ(text->Layout(), "ab\0cd"s) << "60 + 9 + 60 pixels at scale 3";
  text->SetFont("missing");
  EXPECT_EQ(text->Layout(), "ab cd") << "without a font the text is its layout";
  EXPECT_TRUE(Corners(*text).empty());
  text->SetInterval(50);
  text->SetFont("PLAIN");
  EXPECT_EQ(text->Layout(), "ab\0cd"s);
}

TEST_F(Texts, OnlyItsOwnLayerAndANonEmptyLayoutDraw) {
  TOxText* text = Text("");
  auto* child = scene::TOxElement::CreateIn<TOxText>(*text);
  child->SetFont("plain");
  child->SetText("c");
  child->rX = 7;
  EXPECT_EQ(Corners(*text).size(), 1u) << "only the child";
  text->SetText("ab");
  text->SetOrder(1);
  pictures.backend.draws.clear();
  text->Render(0, 0xFFFFFFFF, 10, 0, 0);
  const auto quads = pictures.Drawn();
  ASSERT_EQ(quads.size(), 4u) << "the child on layer 0";
  EXPECT_FLOAT_EQ(quads[0].x, 16.5f);
}

TEST_F(Texts, TextszIsTheWidthOfTheTextAtItsScale) {
  TOxText* text = Text("ab c");
  script::Value width;
  ASSERT_TRUE(text->GetVar("TEXTSZ", width));
  EXPECT_EQ(width.i, 33);
  text->SetScale(2);
  ASSERT_TRUE(text->GetVar("TEXTSZ", width));
  EXPECT_EQ(width.i, 66);
  text->SetFont("missing");
  ASSERT_TRUE(text->GetVar("TEXTSZ", width));
  EXPECT_EQ(width.i, 0);
}

}  // namespace
}  // namespace ox::elements
