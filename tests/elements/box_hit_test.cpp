// Hits on shapes, texts and animations: boxes with inclusive edges, Crop, layers and the
// visibility flags.
#include "elements/anim.h"
#include "elements/text.h"
#include "hit_fixture.h"

namespace ox::elements {
namespace {

using scene::TOxElement;

using BoxHits = HitFixture;

TEST_F(BoxHits, AShapeTakesItsWholeBoxEdgesIncluded) {
  TOxShape* shape = Box(*current, 10, 20, 100, 50);
  EXPECT_EQ(HitAt(10, 20), shape);
  EXPECT_EQ(HitAt(110, 70), shape);
  EXPECT_EQ(HitAt(9, 20), nullptr);
  EXPECT_EQ(HitAt(111, 70), nullptr);
  EXPECT_EQ(HitAt(10, 71), nullptr);
  shape->ShapeType = 1;  // stCircle
  EXPECT_EQ(HitAt(11, 21), shape) << "a circle's box corner, outside its ellipse";
  shape->SetOrder(1);
  EXPECT_EQ(current->HitTest(0, 50, 50, 0, 0), nullptr) << "only in its own layer";
}

TEST_F(BoxHits, CropKeepsChildHitsInsideTheBox) {
  TOxShape* window = Box(*current, 100, 100, 50, 50);
  TOxShape* content = Box(*window, 10, 10, 200, 20);  // sticks out to the right
  EXPECT_EQ(HitAt(115, 115), content) << "children are hit before the shape";
  EXPECT_EQ(HitAt(200, 115), content);
  window->Crop = true;
  EXPECT_EQ(HitAt(115, 115), content);
  EXPECT_EQ(HitAt(150, 115), content) << "the box edge is inside";
  EXPECT_EQ(HitAt(151, 115), nullptr);
  EXPECT_EQ(HitAt(140, 140), window);

  content->SetOrder(1);
  EXPECT_EQ(HitAt(200, 115), nullptr) << "cropped in the child's layer too";
  EXPECT_EQ(HitAt(115, 115), content);
}

TEST_F(BoxHits, HiddenShapesAndTheirChildrenAreHitOnlyWithMousedNotVis) {
  TOxShape* outer = Box(*current, 0, 0, 10, 10);
  TOxShape* inner = Box(*outer, 20, 0, 10, 10);
  outer->SetVis(false);
  EXPECT_EQ(HitAt(5, 5), nullptr);
  EXPECT_EQ(HitAt(25, 5), nullptr);
  outer->MousedNotVis = true;
  EXPECT_EQ(HitAt(5, 5), outer);
  EXPECT_EQ(HitAt(25, 5), inner);
  outer->SetVis(true);
  outer->MousedVis = false;
  EXPECT_EQ(HitAt(5, 5), nullptr);
  EXPECT_EQ(HitAt(25, 5), nullptr);
}

TEST_F(BoxHits, ATextIsHitOverItsBoxWhateverItsAlignment) {
  auto* text = TOxElement::CreateIn<TOxText>(*current);
  text->SetPos(10, 20);
  text->SetSizeX(80);
  text->SetSizeY(30);
  text->PosHor = 1;  // phCenter
  EXPECT_EQ(HitAt(10, 20), text);
  EXPECT_EQ(HitAt(90, 50), text);
  EXPECT_EQ(HitAt(91, 50), nullptr);
  EXPECT_EQ(HitAt(90, 51), nullptr);
  EXPECT_EQ(current->HitTest(0, 95, 50, 10, 0), nullptr) << "the margin does not widen a text";
  text->SetOrder(2);
  EXPECT_EQ(current->HitTest(0, 50, 30, 0, 0), nullptr) << "only in its own layer";
  EXPECT_EQ(HitAt(50, 30), text);
}

TEST_F(BoxHits, ATextsChildrenNeverTakeTheMouse) {
  auto* text = TOxElement::CreateIn<TOxText>(*current);
  TOxShape* child = Box(*text, 0, 0, 500, 500);
  EXPECT_EQ(HitAt(300, 300), nullptr);
  child->SetOrder(1);
  EXPECT_EQ(HitAt(50, 50), text);
}

TEST_F(BoxHits, TextVisibilityFlags) {
  auto* text = TOxElement::CreateIn<TOxText>(*current);
  text->SetVis(false);
  EXPECT_EQ(HitAt(5, 5), nullptr);
  text->MousedNotVis = true;
  EXPECT_EQ(HitAt(5, 5), text);
  text->SetVis(true);
  text->MousedVis = false;
  EXPECT_EQ(HitAt(5, 5), nullptr);
}

TEST_F(BoxHits, NothingInsideAnAnimationTakesTheMouse) {
  auto* anim = TOxElement::CreateIn<TOxAnim>(*current);
  TOxShape* inside = Box(*anim, 0, 0, 100, 100);
  inside->SetOrder(1);
  EXPECT_EQ(HitAt(50, 50), nullptr);
  EXPECT_EQ(anim->HitTest(1, 50, 50, 0, 0), nullptr);
}

}  // namespace
}  // namespace ox::elements
