// Shapes and image lists drawn and clicked through the real binary: boxes under every kind of
// blend over a backdrop, pie sectors, nested crops, an inventory list with its selected item
// grown, and the mouse reaching list items and cropped children.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gamefile/game_file_writer.h"
#include "media/picture_decoder.h"
#include "screenshot_game.h"

namespace ox::e2e {
namespace {

using gamefile::Node;

struct ShapesAndLists : ScreenshotGame {
  void Picture(const std::string& name, int w, int h, Colour colour) {
    folder.Write("g/" + name, Bmp32(w, h, [colour](int, int) { return colour; }));
  }
  bool RootHas(const std::string& name, const std::string& kind, const std::string& value) {
    return dump.find("{\"name\":\"" + name + "\",\"kind\":\"" + kind + "\",\"value\":" + value + "}") !=
           std::string::npos;
  }
};

Node Game(Node screen, const std::string& init = "HITS := 0") {
  return Node::Of("TOxDB").Set("Key", 1).Set("Id", "G").Set("InitScreen", 2).Set("exInit", init).Add(std::move(screen));
}

Node Box(int x, int y, int w, int h, std::uint32_t colour) {
  return Node::Of("TOxShape").Set("X", x).Set("Y", y).Set("rX", double(x)).Set("rY", double(y)).Set("SizeX", w)
      .Set("SizeY", h).Set("hxColor", static_cast<std::int32_t>(colour & 0xFFFFFF));
}

Node Pie(int x, int y, double from, double to) {
  return Box(x, y, 100, 100, 0xFFFFFF).Set("ShapeType", 1).Set("Par1", from).Set("Par2", to).Set("Par3", 1.0);
}

Node Image(const char* id, const char* picture) {
  return Node::Of("TOxImage").Set("Id", id).Set("imImage", picture);
}

bool Near(Colour a, Colour b, int tolerance = 4) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance) return false;
  }
  return true;
}

TEST_F(ShapesAndLists, BoxesBlendOverTheBackdropByTheirDrawEffect) {
  Picture("grey.bmp", 1024, 768, 0xFF808080u);
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("ImBack", "grey.bmp");
  struct Case {
    std::int32_t effect;
    std::uint8_t trans;
    Colour expected;
  };
  // Red boxes (colour 0xFF0000 in the picture's order) over grey 0x808080.
  const Case cases[] = {
      {0x000504, 128, 0xC04040},  // alpha blending: half red, half grey
      {0x000104, 255, 0xFF8080},  // additive light
      {0x000001, 128, 0xFF0000},  // opaque copy: the alpha is not looked at
      {0x010101, 255, 0x008080},  // reverse subtract: grey - red
      {0x020101, 255, 0x7F0000},  // subtract: red - grey
      {0x030101, 255, 0x800000},  // minimum
      {0x040101, 255, 0xFF8080},  // maximum
      {0x000008, 255, 0x800000},  // source times the destination colour
  };
  int x = 10;
  for (const Case& c : cases) {
    screen.Add(Box(x, 20, 100, 50, 0x0000FF).Set("hxDrawFx", c.effect).Set("hxTrans", std::int32_t{c.trans}));
    x += 120;
  }
  Play(Game(screen));
  x = 10;
  for (const Case& c : cases) {
    EXPECT_TRUE(Near(At(x + 50, 45), c.expected, 2)) << std::hex << "effect " << c.effect << ": " << At(x + 50, 45);
    x += 120;
  }
  EXPECT_TRUE(Near(At(10, 20), 0xC04040, 2)) << "the box covers x 10 to 110, y 20 to 70";
  EXPECT_TRUE(Near(At(109, 69), 0xC04040, 2));
  EXPECT_TRUE(Near(At(110, 45), 0x808080, 2));
  EXPECT_TRUE(Near(At(50, 70), 0x808080, 2));
}

TEST_F(ShapesAndLists, PiesFillTheirSectorOfTheInscribedEllipse) {
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Pie(0, 0, 90, 0));      // the top-right quarter
  screen.Add(Pie(200, 0, 0, 360));   // the whole disc
  screen.Add(Pie(400, 0, 0, 180));   // counterclockwise from the top to the bottom: the left half
  screen.Add(Pie(600, 0, 0, 90));    // three quarters: all but the top-right one
  screen.Add(Pie(0, 200, 90, 0).Set("Par3", 2.0).Set("hxColor", 0x00FF00));  // drawn twice as large, green
  screen.Add(Pie(400, 200, 90, 0).Set("Par3", 0.0));  // no scale: nothing
  Play(Game(screen));
  const Colour white = 0xFFFFFF, black = 0;
  auto quarters = [this](int x, int y, int r) {
    return std::array<Colour, 4>{At(x + r, y - r), At(x - r, y - r), At(x - r, y + r), At(x + r, y + r)};
  };
  EXPECT_EQ(quarters(50, 50, 25), (std::array<Colour, 4>{white, black, black, black}));
  EXPECT_EQ(quarters(250, 50, 25), (std::array<Colour, 4>{white, white, white, white}));
  EXPECT_EQ(At(202, 2), black) << "the corner of the box is outside the ellipse";
  EXPECT_EQ(At(200, 50), white) << "the ellipse reaches the box's edges";
  EXPECT_EQ(quarters(450, 50, 25), (std::array<Colour, 4>{black, white, white, black}));
  EXPECT_EQ(quarters(650, 50, 25), (std::array<Colour, 4>{black, white, white, white}));
  EXPECT_EQ(At(150, 250), 0x00FF00u) << "the scaled quarter spans 200 pixels";
  EXPECT_EQ(At(50, 250), black);
  EXPECT_EQ(At(150, 350), black);
  EXPECT_EQ(At(460, 240), black);
}

TEST_F(ShapesAndLists, NestedCropsClipToTheirIntersectionAndRestoreTheClipAfter) {
  // Shape colours are in the engine's order (red in the low byte), the frame's in the picture's.
  const std::uint32_t red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000, white = 0xFFFFFF;
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  Node outer = Box(100, 100, 200, 200, red).Set("Crop", 1);
  Node inner = Box(150, 50, 200, 100, green).Set("Crop", 1);  // sticks out to the right
  inner.Add(Box(-500, -500, 2000, 2000, blue));
  outer.Add(std::move(inner));
  outer.Add(Box(-50, 150, 100, 50, white));  // drawn after the inner crop, cut at the outer one
  screen.Add(std::move(outer));
  screen.Add(Box(600, 600, 20, 20, white));  // after both crops
  Play(Game(screen));
  EXPECT_EQ(At(120, 120), 0xFF0000u) << "the outer box itself";
  EXPECT_EQ(At(260, 160), 0x0000FFu) << "inside both crops: the inner box's child";
  EXPECT_EQ(At(299, 249), 0x0000FFu);
  EXPECT_EQ(At(300, 200), 0u) << "inside the inner crop but outside the outer";
  EXPECT_EQ(At(249, 200), 0xFF0000u) << "left of the inner crop: the outer box";
  EXPECT_EQ(At(260, 250), 0xFF0000u) << "below the inner crop";
  EXPECT_EQ(At(90, 260), 0u) << "the white child is cut at the outer box";
  EXPECT_EQ(At(110, 260), 0xFFFFFFu);
  EXPECT_EQ(At(610, 610), 0xFFFFFFu) << "the clip is restored after the crops";
}

TEST_F(ShapesAndLists, AClickReachesACroppedChildOnlyInsideTheCrop) {
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  Node window = Box(100, 100, 100, 100, 0x0000FF).Set("Crop", 1);
  window.Add(Box(50, 50, 100, 100, 0xFF0000).Set("exMouseDown", "OXDB.HITS := OXDB.HITS + 1"));
  screen.Add(std::move(window));
  Play(Game(screen), "103 down 180 180\n104 up 180 180\n105 down 230 230\n106 up 230 230\n");
  EXPECT_TRUE(RootHas("HITS", "int32", "1")) << dump.substr(0, 400);
  EXPECT_EQ(At(199, 199), 0x0000FFu) << "the red child drawn up to the crop";
  EXPECT_EQ(At(201, 201), 0u);
}

// Three 50 x 50 pictures in a row of three 100-pixel cells 15 apart, at (100, 400).
Node Inventory(double scale) {
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("exInit", "ListAdd(BAG, A); ListAdd(BAG, B); ListAdd(BAG, C)");
  screen.Add(Image("A", "red.bmp").Set("Vis", 0).Set("exMouseDown", "OXDB.LOG := OXDB.LOG + 'A'"));
  screen.Add(Image("B", "green.bmp").Set("Vis", 0).Set("exMouseDown", "OXDB.LOG := OXDB.LOG + 'B'"));
  screen.Add(Image("C", "blue.bmp").Set("Vis", 0).Set("exMouseDown", "OXDB.LOG := OXDB.LOG + 'C'"));
  screen.Add(Node::Of("TOxImList").Set("Id", "Bag").Set("X", 100).Set("Y", 400)
                 .Set("RowCount", 1).Set("ColCount", 3).Set("Space", 15).Set("SizeX", 330).Set("SizeY", 100)
                 .Set("Scale", scale).Set("exMouseDown", "OXDB.LOG := OXDB.LOG + 'L'")
                 .Set("exMouseIn", "OXDB.INS := OXDB.INS + 1").Set("exMouseOut", "OXDB.OUTS := OXDB.OUTS + 1"));
  return screen;
}

TEST_F(ShapesAndLists, AnInventoryDrawsItsSelectedItemGrownOverItsNeighbours) {
  Picture("red.bmp", 50, 50, 0xFFFF0000u);
  Picture("green.bmp", 50, 50, 0xFF00FF00u);
  Picture("blue.bmp", 50, 50, 0xFF0000FFu);
  Play(Game(Inventory(1.5), "LOG := ''; INS := 0; OUTS := 0"), "103 move 265 450\n", 130);
  EXPECT_TRUE(Near(At(110, 450), 0xFF0000)) << "unselected items fill their cell's width";
  EXPECT_TRUE(Near(At(185, 405), 0xFF0000));
  EXPECT_TRUE(Near(At(420, 450), 0x0000FF));
  EXPECT_TRUE(Near(At(195, 450), 0x00FF00)) << "the selected item, half as large again, over its left neighbour";
  EXPECT_TRUE(Near(At(335, 450), 0x00FF00)) << "and over its right one";
  EXPECT_TRUE(Near(At(265, 380), 0x00FF00)) << "above the list's box";
  // Entering the list selects an item (its exMouseIn) and makes the list the element under
  // the cursor (its MouseIn again, with an item selected).
  EXPECT_TRUE(RootHas("INS", "int32", "2"));
}

TEST_F(ShapesAndLists, TheMouseSelectsListItemsAndAClickRunsTheItemThenTheList) {
  Picture("red.bmp", 50, 50, 0xFFFF0000u);
  Picture("green.bmp", 50, 50, 0xFF00FF00u);
  Picture("blue.bmp", 50, 50, 0xFF0000FFu);
  // Item 0, the gap after it (still item 0), item 2, then off the list; a click on item 2 and
  // one on nothing.
  Play(Game(Inventory(1.0), "LOG := ''; INS := 0; OUTS := 0"),
       "103 move 150 450\n104 move 210 450\n105 move 400 450\n106 down 400 450\n107 up 400 450\n"
       "108 move 600 450\n109 down 600 450\n110 up 600 450\n",
       112);
  // In: on entering (twice, see above) and at item 2; out: leaving item 0 and leaving the list.
  EXPECT_TRUE(RootHas("INS", "int32", "3")) << dump.substr(0, 600);
  EXPECT_TRUE(RootHas("OUTS", "int32", "2"));
  EXPECT_TRUE(RootHas("LOG", "string", "\"CL\""));
}

}  // namespace
}  // namespace ox::e2e
