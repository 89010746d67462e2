// ListAdd and ListDel, and what scripts read and write of a list's items, through the
// interpreter on a small scene; a click on a selected item runs the item and then the list.
#include <gtest/gtest.h>

#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/shape.h"
#include "script_root_fixture.h"

namespace ox::scriptlib {
namespace {

using namespace ox::elements;
using scene::TOxElement;

struct Lists : ScriptRootTest {
  void SetUp() override {
    ScriptRootTest::SetUp();
    bag->Id = "Bag";
    apple->Id = "ITEM1";
    apple->Key = 11;
    pear->Id = "Item2";
    pear->Key = 12;
    shape->Id = "Box";
    shape->Key = 13;
  }

  TOxImList* bag = TOxElement::CreateIn<TOxImList>(*screen);
  TOxImage* apple = TOxElement::CreateIn<TOxImage>(*screen);
  TOxImage* pear = TOxElement::CreateIn<TOxImage>(*screen);
  TOxShape* shape = TOxElement::CreateIn<TOxShape>(*screen);
};

TEST_F(Lists, ListAddTakesImagesOnlyAndTheSameOneTwice) {
  Run("ListAdd(MAIN.BAG, MAIN.ITEM1); ListAdd(MAIN.BAG, MAIN.BOX); ListAdd(MAIN.BOX, MAIN.ITEM2);"
      "ListAdd(MAIN.BAG); ListAdd(MAIN.BAG, MAIN.ITEM2); ListAdd(MAIN.BAG, MAIN.ITEM1); E := MAIN.BAG.ELEMENTS");
  EXPECT_EQ(Read("E").s, "11;12;11;");
}

TEST_F(Lists, ListDelRemovesTheFirstMatchByElementOrByIdWithItsCase) {
  Run("MAIN.BAG.ELEMENTS := '11;12;11;12';"
      "ListDel(MAIN.BAG, 'item1'); A := MAIN.BAG.ELEMENTS;"
      "ListDel(MAIN.BAG, 'ITEM1'); B := MAIN.BAG.ELEMENTS;"
      "ListDel(MAIN.BAG, MAIN.ITEM2); C := MAIN.BAG.ELEMENTS;"
      "ListDel(MAIN.BAG, MAIN.BOX); ListDel(MAIN.BOX, 'ITEM1'); ListDel(MAIN.BAG); D := MAIN.BAG.ELEMENTS");
  EXPECT_EQ(Read("A").s, "11;12;11;12;") << "letter case counts";
  EXPECT_EQ(Read("B").s, "12;11;12;");
  EXPECT_EQ(Read("C").s, "11;12;");
  EXPECT_EQ(Read("D").s, "11;12;");
}

TEST_F(Lists, AClickOnASelectedItemRunsTheItemAndThenTheListAndNeverTheRoot) {
  bag->SetSizeX(100);
  bag->SetSizeY(50);
  bag->SetColCount(2);
  bag->SetRowCount(1);
  scene::AssignEvent(apple->exMouseDown, "OXDB.LOG := OXDB.LOG + 'I'");
  scene::AssignEvent(bag->exMouseDown, "OXDB.LOG := OXDB.LOG + 'L' + IntToStr(SELEL.KEY)");
  scene::AssignEvent(bag->exMouseIn, "OXDB.LOG := OXDB.LOG + '+'");
  scene::AssignEvent(bag->exMouseOut, "OXDB.LOG := OXDB.LOG + '-'");
  Run("LOG := ''; ListAdd(MAIN.BAG, MAIN.ITEM1)");
  bag->MouseDown();
  EXPECT_EQ(Read("LOG").s, "") << "nothing selected";
  bag->HitTest(0, 10, 10, 0, 0);
  bag->HitTest(0, 12, 10, 0, 0);
  bag->MouseDown();
  bag->HitTest(0, 60, 10, 0, 0);  // the empty second cell
  EXPECT_EQ(Read("LOG").s, "+IL11-");
  EXPECT_TRUE(bag->NoMsOxDB);
}

}  // namespace
}  // namespace ox::scriptlib
