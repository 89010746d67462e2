// Puzzle and sparkle functions called from scripts: sparkles over pictures, level progress,
// the crossing-lines puzzles and the hover reveal.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/image.h"
#include "scene/scene_state.h"
#include "pictured_root_fixture.h"
#include "scriptlib/crossing_lines.h"

namespace ox::scriptlib {
namespace {

using namespace ox::elements;
using scene::TOxElement;

struct SpecialFunctions : PicturedRootTest<21> {
  TOxImage* Picture(const std::string& id, const std::string& file) {
    auto* image = TOxElement::CreateIn<TOxImage>(*screen);
    image->Id = id;
    image->SetImImage(file);
    return image;
  }
  std::size_t Live() { return root.Stars().LiveCount(); }
};

TEST_F(SpecialFunctions, StarsAllSparklesOnEveryOpaqueGridPointInTheTexelsColour) {
  pictures.Put("opaque.bmp", 95, 95, [](int, int) { return 0xFF0000FFu; });
  pictures.Put("clear.bmp", 95, 95, [](int, int) { return 0x00FFFFFFu; });
  Picture("Full", "opaque.bmp")->SetPos(10, 20);
  Picture("None", "clear.bmp");
  Run("StarsAll(MAIN.NONE)");
  EXPECT_EQ(Live(), 0u);
  Run("StarsAll(MAIN.FULL)");
  ASSERT_EQ(Live(), 100u) << "grid points 0, 10, ... 90 each way";
  const scene::TStar& last = root.Stars().Slots()[99];
  EXPECT_DOUBLE_EQ(last.x, 100);
  EXPECT_DOUBLE_EQ(last.y, 110);
  EXPECT_EQ(last.colour, 0xFF0000u) << "the texel's colour, engine order";
  EXPECT_EQ(last.pattern, 2);
  EXPECT_EQ(last.layer, 1000);
  EXPECT_EQ(last.effect, 260);
  EXPECT_DOUBLE_EQ(last.scaleSpeed, -0.015);
  EXPECT_GE(last.scale, 1.5);
  EXPECT_GE(last.angleSpeed, -5);
  EXPECT_LE(last.angleSpeed, 4);

  root.Stars().FreeAll();
  pictures.Put("small.bmp", 9, 9, [](int, int) { return 0xFFFFFFFFu; });
  Picture("Small", "small.bmp");
  Run("StarsAll2(MAIN.SMALL)");
  EXPECT_EQ(Live(), 16u) << "grid 3: points 0, 3, 6, 9 each way";
  root.Stars().FreeAll();
  Run("StarsAll3(MAIN.SMALL, 255); StarsAll3(MAIN.SMALL)");
  EXPECT_EQ(Live(), 4u) << "grid 5: 0 and 5 each way; no colour, no sparkles";
  EXPECT_EQ(root.Stars().Slots()[0].colour, 255u);
  EXPECT_DOUBLE_EQ(root.Stars().Slots()[0].scaleSpeed, -0.03);
}

TEST_F(SpecialFunctions, RisingSparklesStartAtTheEdgesOfTheOpaquePart) {
  // Rows 0-1 clear, 2-5 half opaque (200), 6-7 clear.
  pictures.Put("band.bmp", 1, 8, [](int, int y) { return y >= 2 && y <= 5 ? 0xC8FFFFFFu : 0u; });
  Picture("Band", "band.bmp")->SetPos(5, 5);
  Run("StarsToUp(MAIN.BAND); StarsTopToUp(MAIN.BAND)");
  ASSERT_EQ(Live(), 1u) << "no texel of the band is fully opaque";
  const scene::TStar& s = root.Stars().Slots()[0];
  EXPECT_DOUBLE_EQ(s.y, 11) << "the first clear row under the band";
  EXPECT_DOUBLE_EQ(s.ySpeed, -1);
  EXPECT_DOUBLE_EQ(s.scaleSpeed, -0.02);

  pictures.Put("solid.bmp", 1, 4, [](int, int y) { return y >= 1 ? 0xFFFFFFFFu : 0u; });
  Picture("Solid", "solid.bmp");
  Run("StarsTopToUp(MAIN.SOLID); StarsToUp(MAIN.SOLID)");
  EXPECT_EQ(Live(), 2u) << "opaque down to the bottom: no sparkle from below";
  EXPECT_DOUBLE_EQ(root.Stars().Slots()[1].y, 1);
}

TEST_F(SpecialFunctions, LevelProgressTotalsThePointsAndRecordsWhatIsDone) {
  auto add = [&](TOxElement& parent, const char* id, const char* tag, bool vis) {
    auto* e = TOxElement::CreateIn<TOxImage>(parent);
    e->Id = id;
    e->Tag = tag;
    e->Vis = vis;
    return e;
  };
  add(*screen, "a1", "ACT", true);
  add(*screen, "a2", "ACT", false);
  Run("SableLevProg(MAIN)");
  EXPECT_EQ(Read("ENDCN").kind, script::Kind::Empty) << "the variables are the screen's";
  const script::TVar* endcn = screen->Vars()->Find("ENDCN");
  ASSERT_NE(endcn, nullptr);
  EXPECT_EQ(endcn->Val.i, 10);
  EXPECT_EQ(screen->Vars()->Find("A[1]")->Val.i, 1);
  EXPECT_EQ(screen->Vars()->Find("A[2]")->Val.i, 0);

  add(*screen, "krist", "", true);
  TOxImage* find = add(*screen, "f", "FIND", true);
  add(*find, "x", "", true);
  add(*find, "y", "", true);
  add(*screen, "l", "LOG", true);
  TOxImage* group = add(*screen, "g", "", false);
  add(*group, "ga", "ACT", true);
  add(*group, "gl", "LOG", true);
  Run("SableLevProg(MAIN); SableLevProg(5)");
  EXPECT_EQ(screen->Vars()->Find("ENDCN")->Val.i, 10 + 3 + 2 + 10 + 5 + 10);
  EXPECT_EQ(screen->Vars()->Find("ENDAN")->Val.i, 0);
  EXPECT_EQ(screen->Vars()->Find("LG[1]")->Val.i, 1);
  EXPECT_EQ(screen->Vars()->Find("A[3]")->Val.i, 0) << "its group is hidden";
  EXPECT_EQ(screen->Vars()->Find("LG[2]")->Val.i, 0);
}

TEST(CrossingLinesTest, SegmentsCrossOnlyInsideBothAndNotAtSharedEnds) {
  EXPECT_TRUE(SegmentsCross({0, 0}, {10, 10}, {0, 10}, {10, 0}));
  EXPECT_TRUE(SegmentsCross({0, 0}, {10, 0}, {5, 0}, {5, 10})) << "touching counts";
  EXPECT_FALSE(SegmentsCross({0, 0}, {10, 10}, {10, 10}, {20, 0})) << "a shared end";
  EXPECT_FALSE(SegmentsCross({0, 0}, {10, 0}, {0, 5}, {10, 5})) << "parallel";
  EXPECT_FALSE(SegmentsCross({0, 0}, {10, 10}, {0, 0 + 30}, {10, 20})) << "boxes apart";
  EXPECT_FALSE(SegmentsCross({0, 0}, {10, 10}, {6, 0}, {20, 3})) << "boxes overlap, lines miss";
}

struct CrossingPuzzle : SpecialFunctions {
  void SetUp() override {
    SpecialFunctions::SetUp();
    puzzle = Picture("Puzzle", "none.bmp");
    layout = TOxElement::CreateIn<TOxImage>(*puzzle);
    layout->SetPos(100, 100);
    // An octagon of radius 200 about (300, 300), nodes 0-3 on its lower half and 4-7 on its
    // upper half; node 8 inside below the centre, node 9 above.
    for (int i = 0; i < 8; ++i) {
      const double a = i * 3.14159265358979 / 4;
      Node(300 + 200 * std::cos(a), 300 + 200 * std::sin(a));
    }
    Node(300, 360);
    Node(300, 240);
  }
  void Node(double cx, double cy) {
    auto* node = TOxElement::CreateIn<TOxImage>(*layout);
    node->SetPos(static_cast<int>(std::lround(cx)) - 100 - 25, static_cast<int>(std::lround(cy)) - 100 - 25);
  }
  std::int32_t Win() {
    const script::TVar* win = puzzle->Vars() ? puzzle->Vars()->Find("WIN") : nullptr;
    return win ? win->Val.i : -1;
  }
  TOxImage* puzzle = nullptr;
  TOxImage* layout = nullptr;
};

TEST_F(CrossingPuzzle, TheTenNodesAreSolvedWhenNoEdgeCrosses) {
  Run("SableLev6Log_Upd(MAIN.PUZZLE)");
  EXPECT_EQ(Win(), 1);
  layout->Children()[8]->SetPos(300 - 125, 150 - 125);  // node 8 above node 9: their fans cross
  Run("SableLev6Log_Upd(MAIN.PUZZLE); SableLev6Log_Rend(MAIN.PUZZLE)");
  EXPECT_EQ(Win(), 0);
  layout->Children()[9]->Destroy();
  Run("SableLev6Log_Upd(MAIN.PUZZLE)");
  EXPECT_EQ(Win(), 0) << "too few nodes: nothing changes";
  ASSERT_TRUE(puzzle->SetVar("WIN", script::Value::Int32(1)));
  layout->Children()[8]->Destroy();
  Run("SableLev6Log_Upd(MAIN.PUZZLE)");
  EXPECT_EQ(Win(), 1) << "too few nodes: a won puzzle stays won";
}

TEST_F(CrossingPuzzle, TheRingLayoutOfLevelFourIsSolvedWhenItsPolygonIsSimple) {
  for (int i = 9; i >= 8; --i) layout->Children()[static_cast<std::size_t>(i)]->Destroy();
  Run("SableLev4InLog_Upd(MAIN.PUZZLE)");
  EXPECT_EQ(Win(), 1);
  layout->Children()[0]->SetPos(441 - 125, 441 - 125);  // nodes 0 and 1 swap places
  layout->Children()[1]->SetPos(500 - 125, 300 - 125);
  Run("SableLev4InLog_Upd(MAIN.PUZZLE); SableLev4InLog_Rend(MAIN.PUZZLE)");
  EXPECT_EQ(Win(), 0);
}

TEST_F(SpecialFunctions, AHoverRevealsUnderTheCursorAndFadesBy15Elsewhere) {
  TOxImage* hover = Picture("Hover", "none.bmp");
  hover->SetHxTrans(0);
  scene::Scene().underCursor = hover->Ref();
  Run("W2L4P(MAIN.HOVER)");
  EXPECT_EQ(hover->hxTrans(), 255);
  scene::Scene().underCursor = 0;
  Run("W2L4P(MAIN.HOVER); W2L4P(MAIN.HOVER)");
  EXPECT_EQ(hover->hxTrans(), 225);
  hover->SetHxTrans(10);
  EXPECT_NE(Errors("W2L4P(MAIN.HOVER)"), "") << "below 15 is a range error";
  EXPECT_EQ(hover->hxTrans(), 10);
  hover->SetHxTrans(0);
  Run("W2L4P(MAIN.HOVER)");
  EXPECT_EQ(hover->hxTrans(), 0);
}

TEST_F(SpecialFunctions, ANumberOrAnEmptyPictureDoesNothingAndNothingIsRefused) {
  Picture("Empty", "none.bmp");
  EXPECT_EQ(Errors("StarsToUp(1); StarsAll(MAIN.EMPTY); StarsAll3(MAIN.EMPTY, 5); StarsTopToUp(MAIN.EMPTY); "
                   "SableLevProg(MAIN.EMPTY); SableLev6Log_Upd(MAIN.EMPTY); SableLev6Log_Rend(MAIN); "
                   "SableLev4InLog_Upd(MAIN.EMPTY); W2L4P(); StarsAll2('x')"),
            "");
  EXPECT_EQ(Live(), 0u);
}

}  // namespace
}  // namespace ox::scriptlib
