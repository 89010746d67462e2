// The element base: layers, hit-test visibility rules, the child array, keys and references.
#include <gtest/gtest.h>

#include "elements/image.h"
#include "elements/register_classes.h"
#include "elements/screen.h"
#include "platform/core/checked.h"
#include "scene/class_registry.h"
#include "scene/element_refs.h"
#include "scene/game_root.h"
#include "script/var_list.h"

namespace ox::scene {
namespace {

using elements::TOxImage;
using elements::TOxScreen;

struct Tree : ::testing::Test {
  void SetUp() override { elements::RegisterElementClasses(); }
  TOxDB root;
  TOxScreen* screen = TOxElement::CreateIn<TOxScreen>(root);
};

TEST_F(Tree, OrderWidensEveryAncestorAndNeverNarrows) {
  auto* a = TOxElement::CreateIn<TOxImage>(*screen);
  auto* b = TOxElement::CreateIn<TOxImage>(*a);
  b->SetOrder(3);
  EXPECT_EQ(screen->MinOrder, 0);
  EXPECT_EQ(screen->MaxOrder, 3);
  EXPECT_EQ(root.MaxOrder, 3);
  b->SetOrder(-2);
  b->SetOrder(5);
  EXPECT_EQ(a->MinOrder, -2);
  EXPECT_EQ(a->MaxOrder, 5);
  EXPECT_EQ(root.MinOrder, -2);
  EXPECT_EQ(root.MaxOrder, 5);
  b->SetOrder(0);
  EXPECT_EQ(root.MaxOrder, 5) << "ranges are never narrowed";
}

// A child that answers every hit test inside its parent's layer range.
struct Probe : TOxImage {
  TOxElement* HitTest(std::int32_t layer, std::int32_t, std::int32_t, std::int32_t,
                      std::uint8_t) override {
    return layer == Order ? this : nullptr;
  }
};

TEST_F(Tree, HitTestFollowsVisibilityFlags) {
  auto* holder = TOxElement::CreateIn<TOxImage>(*screen);
  auto* probe = TOxElement::CreateIn<Probe>(*holder);
  EXPECT_EQ(holder->HitTest(0, 0, 0, 0, 0), probe);
  holder->SetVis(false);
  EXPECT_EQ(holder->HitTest(0, 0, 0, 0, 0), nullptr) << "invisible without MousedNotVis";
  holder->MousedNotVis = true;
  EXPECT_EQ(holder->HitTest(0, 0, 0, 0, 0), probe) << "invisible with MousedNotVis";
  holder->SetVis(true);
  holder->MousedVis = false;
  EXPECT_EQ(holder->HitTest(0, 0, 0, 0, 0), nullptr) << "visible with MousedVis false";
  holder->MousedVis = true;
  EXPECT_EQ(holder->HitTest(1, 0, 0, 0, 0), nullptr) << "layer outside the subtree's range";
}

TEST_F(Tree, LaterChildrenAreHitFirst) {
  auto* first = TOxElement::CreateIn<Probe>(*screen);
  auto* second = TOxElement::CreateIn<Probe>(*screen);
  EXPECT_EQ(screen->HitTest(0, 0, 0, 0, 0), second);
  second->SetOrder(1);
  EXPECT_EQ(screen->HitTest(0, 0, 0, 0, 0), first) << "only the layer's own elements answer";
  EXPECT_EQ(screen->HitTest(1, 0, 0, 0, 0), second);
}

TEST_F(Tree, CreationDefaultsInsideAParentAndWithout) {
  EXPECT_FALSE(root.Vis);
  EXPECT_FALSE(root.MousedVis);
  EXPECT_TRUE(root.AutoInit);
  EXPECT_EQ(root.Root(), &root);
  EXPECT_TRUE(screen->Vis);
  EXPECT_TRUE(screen->MousedVis);
  EXPECT_TRUE(screen->MousedNotVis);
  EXPECT_EQ(screen->Root(), &root);
  EXPECT_EQ(screen->Parent(), &root);
}

TEST_F(Tree, DestroyingTheMiddleChildKeepsTheOthersInOrderAndClearsItsReference) {
  auto* a = TOxElement::CreateIn<TOxImage>(*screen);
  auto* b = TOxElement::CreateIn<TOxImage>(*screen);
  auto* c = TOxElement::CreateIn<TOxImage>(*screen);
  auto* grandchild = TOxElement::CreateIn<TOxImage>(*b);
  const std::uint32_t bRef = b->Ref(), gRef = grandchild->Ref();
  EXPECT_EQ(ElementRefs::Resolve(bRef), b);
  b->Destroy();
  ASSERT_EQ(screen->Children().size(), 2u);
  EXPECT_EQ(screen->Children()[0].get(), a);
  EXPECT_EQ(screen->Children()[1].get(), c);
  EXPECT_EQ(ElementRefs::Resolve(bRef), nullptr);
  EXPECT_EQ(ElementRefs::Resolve(gRef), nullptr);
  EXPECT_EQ(ElementRefs::Resolve(0), nullptr);
}

TEST_F(Tree, XRoundsHalvesToEvenAndFailsOutside32Bits) {
  screen->rX = 2.5;
  EXPECT_EQ(screen->X(), 2);
  screen->rX = 3.5;
  EXPECT_EQ(screen->X(), 4);
  screen->rX = -2.5;
  EXPECT_EQ(screen->X(), -2);
  screen->rX = 3e9;
  EXPECT_THROW(screen->X(), RangeError);
  screen->rX = 2147483647.0;
  auto* child = TOxElement::CreateIn<TOxImage>(*screen);
  child->SetX(1);
  EXPECT_THROW(child->GetAbsX(), RangeError) << "absolute position overflows";
}

TEST_F(Tree, AbsolutePositionAddsTheParents) {
  screen->SetPos(10, 20);
  auto* child = TOxElement::CreateIn<TOxScreen>(*screen);
  child->SetPos(5, -7);
  EXPECT_EQ(child->GetAbsX(), 15);
  EXPECT_EQ(child->GetAbsY(), 13);
}

TEST_F(Tree, FindByKeyLooksAtItselfFirstAndLeavesAHint) {
  screen->Key = 5;
  auto* a = TOxElement::CreateIn<TOxImage>(*screen);
  a->Key = 5;
  EXPECT_EQ(screen->FindByKey(5), screen);

  auto* b = TOxElement::CreateIn<TOxImage>(*screen);
  auto* inner = TOxElement::CreateIn<TOxImage>(*a);
  inner->Key = 9;
  b->Key = 10;
  TOxElement* hint = nullptr;
  EXPECT_EQ(root.FindByKey(9, hint), inner);
  EXPECT_EQ(hint, b) << "the element after the found element's subtree";

  TOxElement* lastHint = nullptr;
  EXPECT_EQ(root.FindByKey(10, lastHint), b);
  EXPECT_EQ(lastHint, nullptr) << "b is the last child at every level";
  EXPECT_EQ(root.FindByKey(77), nullptr);
}

TEST_F(Tree, NewKeysCountFromTheRoot) {
  root.CurKey = 41;
  screen->AssignNewKey();
  EXPECT_EQ(screen->Key, 42);
  EXPECT_EQ(root.CurKey, 42);
}

TEST_F(Tree, ClearResLoadedReachesTheWholeSubtree) {
  auto* child = TOxElement::CreateIn<TOxImage>(*screen);
  root.LoadResources();
  EXPECT_TRUE(screen->ResLoaded);
  EXPECT_TRUE(child->ResLoaded);
  screen->ClearResLoaded();
  EXPECT_FALSE(screen->ResLoaded);
  EXPECT_FALSE(child->ResLoaded);
  EXPECT_TRUE(root.ResLoaded);
}

TEST_F(Tree, InitSkipsScreensWithoutAutoInitButMarksThemDone) {
  auto* child = TOxElement::CreateIn<TOxImage>(*screen);
  screen->AutoInit = false;
  root.Init();
  EXPECT_TRUE(root.InitDone);
  EXPECT_TRUE(screen->InitDone);
  EXPECT_FALSE(child->InitDone);
  EXPECT_NE(root.Vars(), nullptr);
  EXPECT_EQ(screen->Vars(), nullptr);
  screen->InitPr();
  EXPECT_FALSE(child->InitDone) << "InitPr does not mark elements done";
  EXPECT_NE(child->Vars(), nullptr) << "InitPr ignores AutoInit";
  child->ReplaceVars(nullptr);
  root.InitPr();
  EXPECT_TRUE(root.InitDone) << "the root's InitPr starts the tree's Init anew";
  EXPECT_EQ(child->Vars(), nullptr) << "... which still skips the screen without AutoInit";
}

TEST_F(Tree, CreateChildChecksNameAndParentExactly) {
  EXPECT_NE(CreateChild(*screen, "TOxImage"), nullptr);
  EXPECT_EQ(CreateChild(*screen, "TOXIMAGE"), nullptr);
  EXPECT_EQ(CreateChild(root, "TOxImage"), nullptr) << "an image may not stand in the root";
  EXPECT_EQ(CreateChild(*screen, "TOxDB"), nullptr);
  EXPECT_EQ(CreateChild(*screen, "TOxAnKey"), nullptr);
  EXPECT_NE(CreateChild(root, "TOxAnim"), nullptr);
}

}  // namespace
}  // namespace ox::scene
