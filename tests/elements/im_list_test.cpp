// Image lists: cells from the setters, the selection under the mouse, zoom, drawing order and
// the items as scripts and saved state name them.
#include "elements/im_list.h"

#include "elements/image.h"
#include "elements/register_classes.h"
#include "elements/screen.h"
#include "picture_fixture.h"
#include "scene/element_refs.h"
#include "scene/game_root.h"
#include "scene/saved_state.h"
#include "script/value.h"

namespace ox::elements {
namespace {

using scene::TOxElement;

struct ImLists : ::testing::Test {
  void SetUp() override {
    RegisterElementClasses();
    list->SetPos(50, 60);
    list->SetSizeX(330);
    list->SetSizeY(215);
    list->SetColCount(3);
    list->SetRowCount(2);
    list->SetSpace(15);
  }
  TOxImage* Item(const std::string& id, std::int32_t key, const std::string& picture = "") {
    auto* image = TOxElement::CreateIn<TOxImage>(*current);
    image->Id = id;
    image->Key = key;
    image->SetVis(false);  // shown by the list only
    if (!picture.empty()) image->SetImImage(picture);
    return image;
  }
  TOxElement* Hit(std::int32_t x, std::int32_t y) { return list->HitTest(list->Order, x, y, 0, 0); }
  std::string Elements() {
    script::Value v;
    EXPECT_TRUE(list->GetVar("ELEMENTS", v));
    return v.s;
  }

  testing::PictureStore pictures;
  scene::TOxDB root;
  TOxScreen* current = TOxElement::CreateIn<TOxScreen>(root);
  TOxImList* list = TOxElement::CreateIn<TOxImList>(*current);
};

TEST_F(ImLists, CellsFollowTheBoxTheGridAndTheGap) {
  EXPECT_EQ(list->ElWidth(), 100);
  EXPECT_EQ(list->ElHeight(), 100);
  list->SetElWidth(7);
  EXPECT_EQ(list->ElWidth(), 100) << "the cell size is computed";
  list->SetSpace(200);
  EXPECT_EQ(list->ElWidth(), 0) << "never below 0";
  list->SetSpace(15);
  list->SetColCount(0);
  EXPECT_EQ(list->ElWidth(), 0);
  EXPECT_EQ(list->ElHeight(), 0);
  list->SetColCount(3);
  list->SetSizeY(100);
  EXPECT_EQ(list->ElHeight(), 42);
}

TEST_F(ImLists, TheCellUnderTheMouseIsTheSelectionAndTheGapAfterACellIsThatCell) {
  for (int i = 0; i < 4; ++i) list->AddItem(*Item("I" + std::to_string(i), 10 + i));
  EXPECT_EQ(Hit(50 + 110, 70), list);
  EXPECT_EQ(list->Selection(), 0) << "110 pixels right of the list lies in the gap after column 0";
  EXPECT_EQ(Hit(50 + 115, 70), list);
  EXPECT_EQ(list->Selection(), 1);
  EXPECT_EQ(Hit(50 + 20, 60 + 120), list);
  EXPECT_EQ(list->Selection(), 3) << "row 1 starts at item ColCount";
  EXPECT_EQ(Hit(50 + 250, 60 + 120), list) << "an empty cell is still the list";
  EXPECT_EQ(list->Selection(), -1);
  Hit(50, 60);
  EXPECT_EQ(Hit(50 + 330, 60), nullptr) << "the right edge is outside";
  EXPECT_EQ(list->Selection(), -1);

  Hit(50, 60);
  list->SetVis(false);
  EXPECT_EQ(Hit(50 + 115, 60), nullptr);
  EXPECT_EQ(list->Selection(), 0) << "a hidden list keeps its selection";
  list->SetVis(true);
  list->SetOrder(1);
  EXPECT_EQ(list->HitTest(0, 50 + 115, 60, 0, 0), nullptr) << "only in its own layer";
}

TEST_F(ImLists, CellsWithoutRoomSelectNothingButTheListIsStillHit) {
  list->AddItem(*Item("A", 1));
  list->SetColCount(2);
  list->SetRowCount(1);
  list->SetSizeX(100);
  list->SetSpace(-100);  // cells 100 wide, 0 apart from start to start
  EXPECT_EQ(list->ElWidth() + list->Space(), 0);
  EXPECT_EQ(Hit(60, 70), list);
  EXPECT_EQ(list->Selection(), -1);
}

TEST_F(ImLists, TheSelectedItemGrowsTowardScaleAndShrinksBackToOne) {
  list->Scale = 1.5;
  list->AddItem(*Item("A", 1));
  list->AddItem(*Item("B", 2));
  Hit(50 + 115, 60);
  for (int tick = 0; tick < 12; ++tick) list->Process();
  EXPECT_GE(list->ItemZoom(1), 1.5);
  EXPECT_LT(list->ItemZoom(1), 1.55 + 1e-9) << "it stops at the first step at or past Scale";
  EXPECT_EQ(list->ItemZoom(0), 1.0);
  Hit(50, 60);
  list->Process();
  EXPECT_NEAR(list->ItemZoom(1), 1.45, 0.051);
  for (int tick = 0; tick < 5; ++tick) list->Process();
  EXPECT_EQ(list->ItemZoom(1), 1.0) << "exactly 1 again";
}

TEST_F(ImLists, ItemsAreFittedIntoTheirCellsAndTheSelectedOneIsDrawnLast) {
  pictures.PutOpaque("wide.bmp", 200, 50);
  pictures.PutOpaque("square.bmp", 20, 20);
  list->AddItem(*Item("A", 1, "square.bmp"));
  list->AddItem(*Item("B", 2, "wide.bmp"));
  list->AddItem(*Item("C", 3, "square.bmp"));
  Hit(50, 60);  // select item 0
  current->Render(0, 0xFFFFFFFF, 0, 0, 0);
  const std::vector<render::Vertex> v = pictures.Drawn();
  ASSERT_EQ(v.size(), 12u) << "three quads; the images themselves have no place of their own here";
  // Item 1: 200 x 50 fitted to the width: 100 x 25 about the middle of cell 1 (215, 110).
  EXPECT_FLOAT_EQ(v[0].x, 165 - 0.5f);
  EXPECT_FLOAT_EQ(v[0].y, 97.5f - 0.5f);
  EXPECT_FLOAT_EQ(v[2].x, 265 - 0.5f);
  // Item 2 (square, 100 x 100) in cell 2, then item 0 over everything.
  EXPECT_FLOAT_EQ(v[4].x, 280 - 0.5f);
  EXPECT_FLOAT_EQ(v[8].x, 50 - 0.5f);
  EXPECT_FLOAT_EQ(v[10].y, 160 - 0.5f);
  EXPECT_TRUE(pictures.backend.draws.back().linear) << "drawn filtered";
}

TEST_F(ImLists, ElementsNamesTheItemsByKeyAndAssigningItReplacesThem) {
  EXPECT_EQ(Elements(), "");
  TOxImage* seven = Item("Seven", 7);
  Item("Nine", 9);
  TOxElement::CreateIn<TOxImList>(*current)->Key = 8;  // not an image
  list->AddItem(*seven);
  EXPECT_TRUE(list->SetVar("ELEMENTS", script::Value::String(" 7; 9;x;8;;12a;99;7")));
  EXPECT_EQ(Elements(), "7;9;7;") << "x, a list, text after digits and an unknown key are skipped";

  script::Value selected;
  ASSERT_TRUE(list->GetVar("SELEL", selected));
  EXPECT_EQ(selected.i, 0);
  Hit(50 + 115, 60);
  ASSERT_TRUE(list->GetVar("SELEL", selected));
  EXPECT_EQ(scene::ElementRefs::Resolve(static_cast<std::uint32_t>(selected.i))->Key, 9);
  EXPECT_FALSE(list->SetVar("ELEMENTS", script::Value::Int32(7)));
}

TEST_F(ImLists, ItemsAreRemovedByReferenceOrByIdWithItsCase) {
  TOxImage* a = Item("Apple", 1);
  TOxImage* b = Item("Pear", 2);
  list->AddItem(*a);
  list->AddItem(*b);
  list->AddItem(*a);
  list->RemoveItem(*a);
  EXPECT_EQ(Elements(), "2;1;") << "the first one showing it";
  list->RemoveItem(std::string("PEAR"));
  EXPECT_EQ(Elements(), "2;1;");
  list->RemoveItem(std::string("Pear"));
  EXPECT_EQ(Elements(), "1;");
  b->Destroy();
  list->RemoveItem(std::string("Pear"));
  EXPECT_EQ(Elements(), "1;");
}

TEST_F(ImLists, AnImageDestroyedWhileListedIsNeitherNamedNorDrawn) {
  pictures.PutOpaque("square.bmp", 20, 20);
  list->AddItem(*Item("A", 1, "square.bmp"));
  TOxImage* gone = Item("B", 2, "square.bmp");
  list->AddItem(*gone);
  Hit(50 + 115, 60);
  gone->Destroy();
  EXPECT_EQ(Elements(), "1;");
  script::Value selected;
  ASSERT_TRUE(list->GetVar("SELEL", selected));
  EXPECT_EQ(selected.i, 0);
  list->MouseDown();
  current->Render(0, 0xFFFFFFFF, 0, 0, 0);
  EXPECT_EQ(pictures.Drawn().size(), 4u);
}

TEST_F(ImLists, ASavedGameKeepsTheItemsInTheirOrder) {
  TOxImage* apple = Item("Apple", 21);
  TOxImage* pear = Item("Pear", 22);
  root.NotSave = true;  // only the list and its images matter here
  current->Key = 1;
  current->NotSave = true;
  list->Key = 20;
  list->AddItem(*pear);
  list->AddItem(*apple);
  list->AddItem(*pear);
  const auto file = pictures.host.user / "state.rs";
  std::filesystem::create_directories(file.parent_path());
  ASSERT_TRUE(scene::SaveState(root, file));
  list->RemoveItem(*pear);
  list->RemoveItem(*pear);
  scene::LoadState(root, file);
  EXPECT_EQ(Elements(), "22;21;22;");
}

}  // namespace
}  // namespace ox::elements
