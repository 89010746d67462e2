// Level puzzle functions called from scripts, each on a small layout of its own: falling
// columns, the matching grid, dragging, tower discs, turning pieces, progress bars, the
// eight-piece puzzle, the item list and the pairing puzzles.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/text.h"
#include "pictured_root_fixture.h"
#include "scene/scene_state.h"

namespace ox::scriptlib {
namespace {

using namespace ox::elements;
using scene::TOxElement;
using script::Value;

struct Puzzles : PicturedRootTest<7> {
  void SetUp() override {
    PicturedRootTest<7>::SetUp();
    root.Services().playSample = [this](const std::string& file, std::int32_t volume) { played.emplace_back(file, volume); };
  }
  template <class T = TOxImage>
  T* Add(TOxElement& parent, const std::string& id, int x = 0, int y = 0) {
    auto* e = TOxElement::CreateIn<T>(parent);
    e->Id = id;
    e->SetPos(x, y);
    return e;
  }
  static void Let(TOxElement& e, const std::string& name, Value v) { e.EnsureVars().AddVar(script::TVar{name, std::move(v)}); }
  static void Let(TOxElement& e, const std::string& name, std::int32_t v) { Let(e, name, Value::Int32(v)); }
  static void Let(TOxElement& e, const std::string& name, const TOxElement& ref) { Let(e, name, Value::UInt32(ref.Ref())); }
  // The element's variable as a number; -1 when it has none.
  static std::int64_t Var(const TOxElement& e, const std::string& name) {
    const script::TVar* v = e.Vars() ? e.Vars()->Find(name) : nullptr;
    return v ? v->Val.i : -1;
  }
  void RunTimes(int n, const std::string& source) {
    for (int i = 0; i < n; ++i) Run(source);
  }
  std::vector<std::pair<std::string, std::int32_t>> played;
};

TEST_F(Puzzles, ColumnPiecesFallRestFadeAndANewOneDropsWhenStill) {
  auto* board = Add(*screen, "Board");
  auto* floorMark = Add(*board, "B");
  floorMark->SetVis(false);
  auto* column = Add(*board, "Col");
  auto* low = Add(*column, "low", 0, 395);
  auto* high = Add(*column, "high", 0, 300);
  auto* deep = Add(*column, "deep", 100, 440);
  deep->SetAnim(12);
  auto* matched = Add(*column, "matched", 200, 400);
  matched->Tag = "*";
  auto* spare = Add(*column, "spare", 300, 0);
  spare->SetVis(false);
  Let(*board, "COLS", 3);

  Run("SableLev6_1(MAIN.BOARD.COL)");
  EXPECT_EQ(low->Y(), 400) << "the floor";
  EXPECT_TRUE(floorMark->Vis) << "a piece reached the floor";
  EXPECT_EQ(high->Y(), 310);
  EXPECT_EQ(deep->Y(), 450) << "the lower floor of patterns above 11";
  EXPECT_EQ(matched->hxTrans(), 205);
  EXPECT_EQ(Var(*column, "MOVING"), 1);
  EXPECT_EQ(Var(*board, "MOVING"), 1);

  RunTimes(5, "SableLev6_1(MAIN.BOARD.COL)");
  EXPECT_EQ(high->Y(), 350) << "resting on the piece below";
  EXPECT_FALSE(matched->Vis) << "faded out and out of play";
  EXPECT_EQ(matched->Tag, "");

  Run("SableLev6_1(MAIN.BOARD.COL)");
  EXPECT_TRUE(matched->Vis) << "the first hidden piece comes back";
  EXPECT_GE(matched->Anim(), 0);
  EXPECT_LT(matched->Anim(), 3);
  EXPECT_EQ(matched->hxTrans(), 0);
  EXPECT_EQ(matched->Y(), 300) << "above the highest piece";
  EXPECT_FALSE(spare->Vis);
  EXPECT_EQ(Var(*column, "MOVING"), 1);

  Run("WrenShar_1(MAIN.BOARD.COL)");
  EXPECT_EQ(matched->hxTrans(), 50) << "the other game's step fades in alike";
  EXPECT_EQ(matched->Y(), 310);
  RunTimes(40, "WrenShar_1(MAIN.BOARD.COL)");
  EXPECT_FALSE(spare->Vis) << "that game draws its patterns from the grandparent's COLS";
  EXPECT_EQ(Var(*column, "MOVING"), 0);
  Let(*screen, "COLS", 2);
  Run("WrenShar_1(MAIN.BOARD.COL)");
  EXPECT_TRUE(spare->Vis);
}

TEST_F(Puzzles, TheMatchingGridLabelsGroupsAndShowsThoseOfThreeMatched) {
  auto* grid = Add(*screen, "Grid");
  auto* cells = Add(*grid, "L");
  std::vector<TOxImage*> cell;
  for (int i = 0; i < 81; ++i) {
    cell.push_back(Add(*cells, "x"));
    cell.back()->SetAnim((i / 9 + i % 9) % 2);  // a checkerboard: every group is one cell
  }
  for (int i : {0, 1, 10}) cell[static_cast<std::size_t>(i)]->SetAnim(2);
  cell[80]->SetAnim(6);  // shown matched by an earlier step
  Run("SableLev6_2(MAIN.GRID)");
  for (int i : {0, 1, 10}) EXPECT_EQ(cell[static_cast<std::size_t>(i)]->Anim(), 8) << i;
  EXPECT_EQ(cell[0]->Tag, cell[10]->Tag);
  EXPECT_NE(cell[0]->Tag, cell[2]->Tag);
  EXPECT_NE(cell[2]->Tag, cell[3]->Tag);
  EXPECT_EQ(cell[80]->Anim(), 0) << "back to its pattern, alone";
  EXPECT_EQ(Var(*grid, "MMX"), 3);

  cell[80]->Destroy();
  cell[0]->Tag = "kept";
  Run("SableLev6_2(MAIN.GRID)");
  EXPECT_EQ(cell[0]->Tag, "kept") << "80 cells are no grid";
}

TEST_F(Puzzles, APieceUnderTheMouseFollowsItWhileTheMouseIsDownOnThePicture) {
  pictures.PutOpaque("piece.bmp", 20, 20);
  auto* board = Add(*screen, "Board", 100, 100);
  auto* piece = Add(*board, "p", 10, 10);
  piece->SetImImage("piece.bmp");
  piece->LoadedTextures();  // as drawing the piece once does
  scene::Scene().mouseX = 125;
  scene::Scene().mouseY = 125;
  Run("SableLev6_3(MAIN.BOARD)");
  EXPECT_EQ(piece->X(), 10) << "the mouse is not down";
  scene::Scene().mouseDown = true;
  scene::Scene().underCursor = board->Ref();
  Run("SableLev6_3(MAIN.BOARD)");
  EXPECT_EQ(piece->X(), 15) << "centred on the mouse";
  EXPECT_EQ(piece->Y(), 15);
  scene::Scene().mouseX = 133;
  Run("SableLev4In_3(MAIN.BOARD)");
  EXPECT_EQ(piece->X(), 23);
  scene::Scene().mouseX = 400;
  Run("SableLev4In_3(MAIN.BOARD)");
  EXPECT_EQ(piece->X(), 23) << "no piece under the mouse";
}

struct Towers : Puzzles {
  void SetUp() override {
    Puzzles::SetUp();
    logInterface = Add(root, "LogInterface");
    hanoyLog = Add(*Add(root, "Level7"), "HanoyLog");
    hanoyLog->SetVis(false);
    tower = Add(*screen, "Tower");
    disc = Add(*tower, "disc", 0, 200);
    Let(*tower, "OBJ", *disc);
    for (auto [name, value] : {std::pair{"T", 1}, {"L", 100}, {"CX", 300}, {"TY", 250}, {"V", 30}, {"S1", 1}}) Let(*tower, name, value);
  }
  TOxImage *logInterface = nullptr, *hanoyLog = nullptr, *tower = nullptr, *disc = nullptr;
};

TEST_F(Towers, ADiscRisesCrossesAndLowersAndTheSolvingMoveWins) {
  RunTimes(4, "SableLev7Log(MAIN.TOWER)");
  EXPECT_EQ(disc->Y(), 100);
  EXPECT_EQ(Var(*tower, "T"), 2);
  RunTimes(10, "SableLev7Log(MAIN.TOWER)");
  EXPECT_EQ(disc->X(), 300);
  EXPECT_EQ(Var(*tower, "T"), 3);
  RunTimes(4, "SableLev7Log(MAIN.TOWER)");
  EXPECT_EQ(disc->Y(), 220);
  EXPECT_TRUE(played.empty());
  EXPECT_FALSE(hanoyLog->Vis);
  RunTimes(2, "SableLev7Log(MAIN.TOWER)");
  EXPECT_EQ(disc->Y(), 250);
  EXPECT_EQ(Var(*tower, "T"), 0);
  EXPECT_EQ(played.size(), 1u) << "the sound of the end, once";
  EXPECT_EQ(Var(*logInterface, "WIN"), 1);
  EXPECT_TRUE(hanoyLog->Vis);
}

TEST_F(Towers, TheQuietTowerWinsWithoutSoundOrLogAndAMoveThatDoesNotSolveWinsNothing) {
  RunTimes(19, "SableLev15Log(MAIN.TOWER)");
  EXPECT_EQ(disc->Y(), 250);
  EXPECT_EQ(Var(*logInterface, "WIN"), 1);
  EXPECT_TRUE(played.empty());
  EXPECT_FALSE(hanoyLog->Vis);

  logInterface->Vars()->Find("WIN")->Val = Value::Int32(0);
  tower->Vars()->Find("S1")->Val = Value::Int32(0);
  tower->Vars()->Find("T")->Val = Value::Int32(1);
  tower->Vars()->Find("V")->Val = Value::Int32(0);  // the default speed, 10
  RunTimes(16, "SableLev15Log(MAIN.TOWER)");
  EXPECT_EQ(disc->Y(), 100);
  EXPECT_EQ(Var(*tower, "T"), 3);
  RunTimes(20, "SableLev15Log(MAIN.TOWER)");
  EXPECT_EQ(Var(*tower, "T"), 0);
  EXPECT_EQ(Var(*logInterface, "WIN"), 0);
}

struct Turning : Puzzles {
  void SetUp() override {
    Puzzles::SetUp();
    logInterface = Add(root, "LogInterface");
    auto* gi = Add(root, "GI");
    count = Add<TOxText>(*gi, "Cnt");
    board = Add(*screen, "Board");
    end = Add(*board, "End");
    end->SetVis(false);
    puzzle = Add(*board, "Puzzle");
    Let(*puzzle, "GI", *gi);
  }
  void Pieces(const std::string& holder) {
    auto* pieces = Add(*board, holder);
    upright = Add(*pieces, "a");
    turned = Add(*pieces, "b");
    turned->SetAngle(90);
    Let(*board, "PROT", *turned);
  }
  TOxImage *logInterface = nullptr, *board = nullptr, *end = nullptr, *puzzle = nullptr, *upright = nullptr,
           *turned = nullptr;
  TOxText* count = nullptr;
};

TEST_F(Turning, TheChosenPieceTurnsAQuarterAndAllUprightWins) {
  Pieces("LL");
  Run("SableLev12Log(MAIN.BOARD.PUZZLE)");
  EXPECT_DOUBLE_EQ(static_cast<double>(turned->Angle()), 100);
  EXPECT_EQ(Var(*board, "PROT"), 0) << "the choice is taken";
  EXPECT_EQ(upright->Anim(), 1);
  RunTimes(8, "SableLev12Log(MAIN.BOARD.PUZZLE)");
  EXPECT_DOUBLE_EQ(static_cast<double>(turned->Angle()), 180) << "stops at the quarter";
  EXPECT_EQ(turned->Anim(), 0);
  Run("SableLev12Log(MAIN.BOARD.PUZZLE)");
  EXPECT_DOUBLE_EQ(static_cast<double>(turned->Angle()), 180);
  EXPECT_FALSE(end->Vis);

  turned->SetAngle(350);
  Run("SableLev12Log(MAIN.BOARD.PUZZLE)");
  EXPECT_DOUBLE_EQ(static_cast<double>(turned->Angle()), 0) << "a full turn comes back to 0";
  EXPECT_EQ(turned->Anim(), 1);
  EXPECT_TRUE(end->Vis);
  EXPECT_EQ(Var(*logInterface, "WIN"), 1);
  EXPECT_EQ(upright->hxTrans(), 240) << "the solved pieces fade";
  EXPECT_EQ(count->Text(), "") << "this game does not count";
}

TEST_F(Turning, TheOtherGameCountsEachTurnStarted) {
  Pieces("LLL");
  Let(*board, "CNN", 4);
  Run("Wren2Lev12Log(MAIN.BOARD.PUZZLE)");
  EXPECT_EQ(Var(*board, "CNN"), 5);
  EXPECT_EQ(count->Text(), "5");
  Run("Wren2Lev12Log(MAIN.BOARD.PUZZLE)");
  EXPECT_EQ(Var(*board, "CNN"), 5) << "one turn, one count";
  EXPECT_DOUBLE_EQ(static_cast<double>(turned->Angle()), 110);
}

struct Progress : Puzzles {
  void SetUp() override {
    Puzzles::SetUp();
    level = Add<TOxScreen>(root, "Level1");
    krist = Add(*level, "Krist");
    auto* find = Add(*level, "f");
    find->Tag = "FIND";
    found = Add(*find, "x");
    Add(*find, "y");
    Add(*level, "log")->Tag = "LOG";
    Run("SableLevProg(OXDB.LEVEL1)");  // 3 + 2 + 10
    krist->SetVis(false);
    found->SetVis(false);
  }
  TOxScreen* level = nullptr;
  TOxImage *krist = nullptr, *found = nullptr;
};

TEST_F(Progress, TheLevelBarShowsTheShareEarnedAndItsEnd) {
  auto* gi = Add(*screen, "GI");
  auto* bar = Add(*gi, "Bar");
  auto* back = Add(*gi, "PRB");
  auto* full = Add(*gi, "PRF");
  auto* flourish = Add(*gi, "PRAN");
  flourish->SetVis(false);
  Let(*gi, "SCR", *level);
  Run("SableGIProg(MAIN.GI.BAR)");
  EXPECT_NEAR(static_cast<double>(bar->ScaleX), 4.0 / 15, 1e-9) << "the crystal and one object found";
  EXPECT_TRUE(back->Vis);
  EXPECT_FALSE(full->Vis);
  EXPECT_EQ(bar->hxTrans(), 255);
  EXPECT_FALSE(flourish->Vis);

  level->Vars()->Find("LG[1]")->Val = Value::Int32(0);  // the puzzle is solved
  level->Vars()->Find("ENDAN")->Val = Value::Int32(1);
  Run("SableGIProg(MAIN.GI.BAR)");
  EXPECT_DOUBLE_EQ(static_cast<double>(bar->ScaleX), 1.0);
  EXPECT_FALSE(back->Vis);
  EXPECT_TRUE(full->Vis);
  EXPECT_EQ(bar->hxTrans(), 0);
  EXPECT_TRUE(flourish->Vis) << "played once on finishing";
  flourish->SetVis(false);
  Run("SableGIProg(MAIN.GI.BAR)");
  EXPECT_FALSE(flourish->Vis);
}

TEST_F(Progress, TheMapBarSharesOverEveryLevelScreenWithActions) {
  auto* second = Add<TOxScreen>(root, "LEVEL2");
  Add(*second, "act")->Tag = "ACT";
  Run("SableLevProg(OXDB.LEVEL2)");
  auto* other = Add<TOxScreen>(root, "Menu");
  Let(*other, "ENDCN", 100);
  auto* bar = Add(*screen, "Map");
  Run("SableMapProg(MAIN.MAP)");
  EXPECT_NEAR(static_cast<double>(bar->ScaleX), 4.0 / 20, 1e-9);
  second->Vars()->Find("A[1]")->Val = Value::Int32(0);
  Run("SableMapProg(MAIN.MAP)");
  EXPECT_NEAR(static_cast<double>(bar->ScaleX), 9.0 / 20, 1e-9);
}

TEST_F(Puzzles, EightPiecesShowTheirStatesAndWinInPlace) {
  auto* logInterface = Add(root, "LogInterface");
  auto* puzzle = Add(*screen, "Puzzle");
  std::vector<TOxImage*> pieces;
  for (int i = 1; i <= 8; ++i) {
    pieces.push_back(Add(*puzzle, "p"));
    Let(*pieces.back(), "S", i == 3 ? 5 : i);
  }
  Run("SableLev6InLog(MAIN.PUZZLE); SableLev6InLogO(MAIN.PUZZLE.CHILD3); SableLev6InLogO(MAIN.PUZZLE.CHILD4)");
  EXPECT_EQ(pieces[2]->Anim(), 5);
  EXPECT_EQ(pieces[7]->Anim(), 8);
  EXPECT_EQ(Var(*logInterface, "WIN"), -1) << "piece 3 is out of place";
  EXPECT_EQ(pieces[2]->hxTrans(), 128);
  EXPECT_EQ(pieces[3]->hxTrans(), 255);
  pieces[2]->Vars()->Find("S")->Val = Value::Int32(3);
  Run("SableLev6InLog(MAIN.PUZZLE)");
  EXPECT_EQ(Var(*logInterface, "WIN"), 1);
  pieces[7]->Destroy();
  logInterface->Vars()->Find("WIN")->Val = Value::Int32(0);
  Run("SableLev6InLog(MAIN.PUZZLE)");
  EXPECT_EQ(Var(*logInterface, "WIN"), 0) << "seven pieces are no puzzle";
}

struct ItemList : Puzzles {
  // On the screen: the item panel, the level it lists (its items a and b in its layer "L", c in
  // its layer "front") and the counter texts; the game interface's list and icons at the root.
  TOxImage* Panel(const std::string& levelId) {
    auto* gi = Add(root, "GI");
    list = Add<TOxImList>(*gi, "List");
    auto* icons = Add(*gi, "ImList");
    for (const char* icon : {"a_s", "b_s", "C_S"}) Add(*icons, icon);
    auto* level = Add<TOxScreen>(root, levelId);
    auto* items = Add(*level, "L");
    for (const char* item : {"a", "b"}) Add(*items, item);
    Add(*Add(*level, "front"), "c");
    Let(*screen, "L", *level);
    auto* panel = Add(*screen, "Panel");
    Let(*panel, "GI", *gi);
    shown = Add<TOxText>(*screen, "CntS");
    shown->SetText("To find (9)");
    hidden = Add<TOxText>(*screen, "CntH");
    hidden->SetText("Found");
    return panel;
  }
  TOxImList* list = nullptr;
  TOxText *shown = nullptr, *hidden = nullptr;
};

TEST_F(ItemList, TheListShowsTheIconsOfTheItemsLeftAndTheTextsCount) {
  TOxImage* panel = Panel("Level1");
  TOxElement& items = *root.Children().back()->Children()[0];
  items.Children()[1]->SetVis(false);  // b is found
  Run("WrenGIListUpdate(MAIN.PANEL)");
  ASSERT_EQ(list->ItemCount(), 1u);
  EXPECT_EQ(list->ItemImage(0)->Id, "a_s");
  EXPECT_EQ(Var(*panel, "CNTS"), 1);
  EXPECT_EQ(Var(*panel, "CNTH"), 1);
  EXPECT_EQ(shown->Text(), "To find (1)");
  EXPECT_EQ(hidden->Text(), "Found (1)");
  EXPECT_EQ(shown->hxColor1(), 0xFFFFFFu);

  items.Children()[0]->SetVis(false);
  Run("WrenGIListUpdate(MAIN.PANEL)");
  EXPECT_EQ(list->ItemCount(), 0u);
  EXPECT_EQ(shown->Text(), "To find (0)");
  EXPECT_EQ(shown->hxColor2(), 0x808080u) << "none left";
}

TEST_F(ItemList, OnLevel13TheItemsAreThoseOfTheFrontLayer) {
  TOxImage* panel = Panel("Level13");
  Run("WrenGIListUpdate(MAIN.PANEL)");
  ASSERT_EQ(list->ItemCount(), 1u);
  EXPECT_EQ(list->ItemImage(0)->Id, "C_S");
  EXPECT_EQ(Var(*panel, "CNTS"), 1);
}

struct Pairs : Puzzles {
  void SetUp() override {
    Puzzles::SetUp();
    auto* gi = Add(root, "GI");
    count = Add<TOxText>(*gi, "Cnt");
    board = Add(*screen, "Board");
    puzzle = Add(*board, "Puzzle");
    Let(*puzzle, "GI", *gi);
  }
  TOxImage *board = nullptr, *puzzle = nullptr;
  TOxText* count = nullptr;
};

TEST_F(Pairs, TwoChosenObjectsOfOneTagMatchAndGoToTheirPlace) {
  auto* choice = Add(*board, "MS");
  Add(*board, "O", 500, 400);
  auto* cup = Add(*board, "cup", 10, 10);
  auto* saucer = Add(*board, "saucer", 20, 20);
  auto* spoon = Add(*board, "spoon", 30, 30);
  cup->Tag = saucer->Tag = "set";
  Let(*choice, "OB1", *cup);
  Let(*choice, "OB2", *spoon);
  Let(*choice, "OBC", 2);
  Run("WrenLevel2LogPr(MAIN.BOARD.PUZZLE)");
  EXPECT_EQ(cup->X(), 10) << "no match";
  EXPECT_EQ(Var(*choice, "OB1"), 0);
  EXPECT_EQ(Var(*choice, "OBC"), 0);
  EXPECT_TRUE(played.empty());

  choice->Vars()->Find("OB1")->Val = Value::UInt32(cup->Ref());
  choice->Vars()->Find("OB2")->Val = Value::UInt32(saucer->Ref());
  Run("WrenLevel2LogPr(MAIN.BOARD.PUZZLE)");
  EXPECT_EQ(saucer->X(), 500);
  EXPECT_EQ(saucer->Y(), 400);
  EXPECT_EQ(Var(*board, "CNN"), 1);
  EXPECT_EQ(count->Text(), "1");
  EXPECT_EQ(played.size(), 1u);
}

TEST_F(Pairs, ObjectsAtTheSamePlaceOfTheOuterAndInnerListsPair) {
  auto* outer = Add(*board, "OL");
  auto* inner = Add(*board, "IL");
  auto* outerMark = Add(*board, "O");
  auto* innerMark = Add(*board, "II");
  for (int i = 0; i < 3; ++i) {
    Add(*outer, "o");
    Add(*inner, "i");
  }
  TOxElement* o2 = outer->Children()[1].get();
  TOxElement* i2 = inner->Children()[1].get();
  Let(*puzzle, "OB1", *i2);
  Let(*puzzle, "OB2", *outer->Children()[2]);
  scene::Scene().soundVolume = 80;
  Run("Wren2Lev20Log(MAIN.BOARD.PUZZLE)");
  EXPECT_TRUE(i2->Vis) << "different places";
  EXPECT_FALSE(outerMark->Vis);
  EXPECT_FALSE(innerMark->Vis);
  EXPECT_EQ(Var(*puzzle, "OB1"), 0);

  puzzle->Vars()->Find("OB1")->Val = Value::UInt32(i2->Ref());
  puzzle->Vars()->Find("OB2")->Val = Value::UInt32(o2->Ref());
  Run("Wren2Lev23Log(MAIN.BOARD.PUZZLE)");
  EXPECT_FALSE(i2->Vis);
  EXPECT_FALSE(o2->Vis);
  EXPECT_EQ(count->Text(), "1");
  ASSERT_EQ(played.size(), 1u);
  EXPECT_EQ(played[0], (std::pair<std::string, std::int32_t>{"Ok", 80}));
}

TEST_F(Puzzles, EveryPuzzleLeavesAnEmptyPictureOrANumberAloneAndRefusesNothing) {
  auto* empty = Add(*screen, "Empty");
  EXPECT_EQ(Errors("SableLev6_1(MAIN.EMPTY); SableLev6_2(MAIN.EMPTY); SableLev6_3(MAIN.EMPTY); "
                   "SableLev4In_3(MAIN.EMPTY); SableLev7Log(MAIN.EMPTY); SableLev15Log(MAIN.EMPTY); "
                   "SableLev12Log(MAIN.EMPTY); SableGIProg(MAIN.EMPTY); SableMapProg(MAIN.EMPTY); "
                   "SableLev6InLog(MAIN.EMPTY); SableLev6InLogO(MAIN.EMPTY); WrenShar_1(MAIN.EMPTY); "
                   "WrenGIListUpdate(MAIN.EMPTY); WrenLevel2LogPr(MAIN.EMPTY); Wren2Lev12Log(MAIN.EMPTY); "
                   "Wren2Lev20Log(MAIN.EMPTY); Wren2Lev23Log(MAIN.EMPTY); SableLev6_1(3); SableLev6_2('x'); "
                   "SableLev7Log(); WrenGIListUpdate(MAIN)"),
            "");
  EXPECT_EQ(empty->Vars()->Find("MOVING")->Val.i, 0) << "an empty board is still";
  EXPECT_EQ(empty->Vars()->Find("CNTS")->Val.i, 0);
  EXPECT_EQ(empty->Vars()->Find("MMX"), nullptr);
  EXPECT_TRUE(played.empty());
}

}  // namespace
}  // namespace ox::scriptlib
