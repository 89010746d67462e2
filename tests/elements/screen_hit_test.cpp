// Hits through screens and screen references: Agro, Modal, alignment, layer widening and the
// resolution of the referenced screen.
#include "elements/ex_screen.h"
#include "hit_fixture.h"

namespace ox::elements {
namespace {

using scene::TOxElement;

struct ScreenHits : HitFixture {
  // A screen of the root with the given Key and width, and a reference to it in the current one.
  TOxScreen* Shown(std::int32_t key, std::int32_t sizeX = 0, std::int32_t sizeY = 0) {
    auto* screen = TOxElement::CreateIn<TOxScreen>(root);
    screen->Key = key;
    screen->SetSizeX(sizeX);
    screen->SetSizeY(sizeY);
    return screen;
  }
  TOxExScreen* Reference(TOxElement& parent, std::int32_t key) {
    auto* ref = TOxElement::CreateIn<TOxExScreen>(parent);
    ref->SetObScreen(key);
    return ref;
  }
};

TEST_F(ScreenHits, AScreenHandsItsOwnAgroToItsWholeSubtree) {
  current->Agro = 2;
  auto* direct = TOxElement::CreateIn<AgroProbe>(*current);
  EXPECT_EQ(current->HitTest(0, 0, 0, 40, 0), direct);
  EXPECT_EQ(direct->seenAgro, 2) << "the margin from above is replaced";

  TOxScreen* panel = Shown(7);
  panel->Agro = 5;
  auto* inPanel = TOxElement::CreateIn<AgroProbe>(*panel);
  TOxExScreen* ref = Reference(*current, 7);
  EXPECT_EQ(ref->HitTest(0, 0, 0, 2, 0), inPanel);
  EXPECT_EQ(inPanel->seenAgro, 5) << "also when the screen is shown through a reference";
  panel->Agro = 0;
  ref->HitTest(0, 0, 0, 2, 0);
  EXPECT_EQ(inPanel->seenAgro, 0) << "a zero Agro resets the margin too";
}

TEST_F(ScreenHits, AModalScreenTakesWhatNoChildTakesInItsOwnLayerOnly) {
  TOxShape* button = Box(*current, 10, 10, 20, 20);
  TOxShape* below = Box(*current, 100, 100, 20, 20);
  below->SetOrder(-1);
  EXPECT_EQ(HitAt(105, 105), below);
  EXPECT_EQ(HitAt(300, 300), nullptr);

  current->Modal = true;
  EXPECT_EQ(HitAt(15, 15), button) << "a child under the point wins";
  EXPECT_EQ(HitAt(300, 300), current);
  EXPECT_EQ(HitAt(105, 105), current) << "lower layers are never reached";
  EXPECT_EQ(current->HitTest(-1, 300, 300, 0, 0), nullptr) << "not the screen's layer";

  current->SetVis(false);
  EXPECT_EQ(HitAt(300, 300), current) << "screens take hits while invisible";
  current->MousedNotVis = false;
  EXPECT_EQ(HitAt(300, 300), nullptr);
}

TEST_F(ScreenHits, AReferenceTestsItsScreenWhereItIsShown) {
  TOxScreen* panel = Shown(7, 400, 300);
  TOxShape* corner = Box(*panel, 0, 0, 10, 10);
  TOxExScreen* ref = Reference(*current, 7);
  ref->SetPos(512, 400);
  ref->PosHor = 1;  // phCenter: the screen's content starts 200 to the left
  EXPECT_EQ(HitAt(312, 400), corner);
  EXPECT_EQ(HitAt(311, 400), nullptr);

  ref->PosHor = 2;   // phRight
  ref->PosVert = 2;  // pvBottom
  EXPECT_EQ(HitAt(112, 100), corner);
  EXPECT_EQ(HitAt(122, 110), corner);
  EXPECT_EQ(HitAt(123, 110), nullptr);

  panel->SetPos(5, 0);
  current->SetPos(1, 0);
  EXPECT_EQ(HitAt(118, 100), corner) << "the screen's and the parent's positions still count";
  EXPECT_EQ(HitAt(117, 100), nullptr);
}

TEST_F(ScreenHits, AReferenceTakesNoHitsOfItsOwnChildrenAndOnlyModalOnesOfItsOwn) {
  TOxScreen* panel = Shown(7, 100, 100);
  TOxExScreen* ref = Reference(*current, 7);
  Box(*ref, 0, 0, 50, 50);
  EXPECT_EQ(HitAt(20, 20), nullptr);
  ref->Modal = true;
  EXPECT_EQ(HitAt(20, 20), ref);
  panel->Modal = true;
  EXPECT_EQ(HitAt(20, 20), panel) << "the referenced screen applies its own Modal first";

  ref->SetVis(false);
  EXPECT_EQ(HitAt(20, 20), nullptr) << "invisible, and not MousedNotVis";
  ref->MousedNotVis = true;
  EXPECT_EQ(HitAt(20, 20), panel);
}

TEST_F(ScreenHits, ResolvingWidensTheLayerRangeAndNeverNarrowsIt) {
  TOxScreen* panel = Shown(7);
  TOxShape* top = Box(*panel, 0, 0, 10, 10);
  top->SetOrder(3);
  Box(*panel, 0, 0, 10, 10)->SetOrder(-1);
  TOxExScreen* ref = Reference(*current, 7);
  ref->SetOrder(2);
  EXPECT_EQ(current->MaxOrder, 2);

  EXPECT_EQ(ref->ResolveScreen(), panel);
  EXPECT_EQ(ref->Order, 2) << "the reference keeps its own layer";
  EXPECT_EQ(ref->MinOrder, -1);
  EXPECT_EQ(ref->MaxOrder, 3);
  EXPECT_EQ(current->MinOrder, -1);
  EXPECT_EQ(current->MaxOrder, 3);
  EXPECT_EQ(HitAt(5, 5), top);

  TOxScreen* other = Shown(8);
  TOxShape* low = Box(*other, 0, 0, 10, 10);
  low->SetOrder(-4);
  ref->SetObScreen(8);
  EXPECT_EQ(HitAt(5, 5), low) << "the first pass that reaches the reference widens the rest";
  EXPECT_EQ(ref->MinOrder, -4);
  EXPECT_EQ(ref->MaxOrder, 3);
  EXPECT_EQ(current->MinOrder, -4);
}

TEST_F(ScreenHits, OnlyADirectChildOfTheRootThatIsExactlyAScreenIsReferenced) {
  TOxExScreen* ref = Reference(*current, 7);
  ref->Modal = true;
  ref->SetOrder(0);
  TOxScreen* nested = TOxElement::CreateIn<TOxScreen>(*Shown(99));
  nested->Key = 7;
  Box(*nested, 0, 0, 10, 10);
  TOxShape* shape = Box(root, 0, 0, 10, 10);
  shape->Key = 7;
  EXPECT_EQ(HitAt(5, 5), ref) << "nothing resolved: only Modal answers";
  EXPECT_EQ(ref->GetSizeX(), 0);

  TOxScreen* later = Shown(7, 30, 40);
  TOxShape* inLater = Box(*later, 0, 0, 10, 10);
  EXPECT_EQ(HitAt(5, 5), inLater) << "looked for again at each use";
  EXPECT_EQ(ref->GetSizeX(), 30);
  EXPECT_EQ(ref->GetSizeY(), 40);
}

TEST_F(ScreenHits, ADestroyedScreenIsNeverReachedThroughTheCache) {
  TOxScreen* panel = Shown(7, 30, 40);
  Box(*panel, 0, 0, 10, 10);
  TOxExScreen* ref = Reference(*current, 7);
  ASSERT_EQ(ref->ResolveScreen(), panel);
  panel->Destroy();
  EXPECT_EQ(ref->GetSizeX(), 0);
  EXPECT_EQ(HitAt(5, 5), nullptr);

  TOxScreen* replacement = Shown(7);
  TOxShape* inReplacement = Box(*replacement, 0, 0, 10, 10);
  EXPECT_EQ(HitAt(5, 5), inReplacement);
}

TEST_F(ScreenHits, AScreenShownInsideItselfIsEnteredOnce) {
  current->Key = 7;
  TOxShape* shape = Box(*current, 0, 0, 10, 10);
  TOxExScreen* ref = Reference(*current, 7);
  ref->SetPos(100, 0);
  EXPECT_EQ(HitAt(105, 5), shape);
  EXPECT_EQ(HitAt(205, 5), nullptr);

  TOxScreen* other = Shown(8);
  Reference(*other, 7);
  ref->SetObScreen(8);
  EXPECT_EQ(HitAt(105, 5), shape) << "two screens showing each other";
}

}  // namespace
}  // namespace ox::elements
