// Screens and images drawn and hit through the real binary: alignment, rotation, tint, layers,
// screen references, the alpha of the pixel under a click, and a screen's hit margin.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "../render/fonts_test_font.h"
#include "asdb_pack/asdb_packer.h"
#include "gamefile/game_file_writer.h"
#include "media/picture_decoder.h"
#include "screenshot_game.h"

namespace ox::e2e {
namespace {

using gamefile::Node;

struct Pictures : ScreenshotGame {
  void Picture(const std::string& name, int w, int h, const std::function<Colour(int, int)>& pixel) {
    folder.Write("g/" + name, Bmp32(w, h, pixel));
  }
};

Node Game(Node screen) {
  return Node::Of("TOxDB").Set("Key", 1).Set("Id", "G").Set("InitScreen", 2).Set("exInit", "HITS := 0").Add(std::move(screen));
}

Node Image(const char* picture, int x, int y) {
  return Node::Of("TOxImage").Set("imImage", picture).Set("X", x).Set("Y", y).Set("rX", double(x)).Set("rY", double(y));
}

bool Near(Colour a, Colour b, int tolerance = 4) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance) return false;
  }
  return true;
}

TEST_F(Pictures, AlignedImagesDrawWherePositionAndAlignmentPutThem) {
  Picture("red.bmp", 40, 20, [](int, int) { return 0xFFFF0000u; });
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Image("red.bmp", 100, 100));
  screen.Add(Image("red.bmp", 300, 100).Set("PosHor", 1).Set("PosVert", 2));
  Play(Game(screen));
  EXPECT_TRUE(Near(At(100, 100), 0xFF0000));
  EXPECT_TRUE(Near(At(139, 119), 0xFF0000));
  EXPECT_TRUE(Near(At(140, 100), 0x000000)) << "40 pixels wide";
  EXPECT_TRUE(Near(At(280, 80), 0xFF0000)) << "centred on X, bottom on Y";
  EXPECT_TRUE(Near(At(279, 90), 0x000000));
  EXPECT_TRUE(Near(At(319, 99), 0xFF0000));
  EXPECT_TRUE(Near(At(300, 100), 0x000000));
}

TEST_F(Pictures, ATintColoursAndFadesThePicture) {
  Picture("white.bmp", 20, 20, [](int, int) { return 0xFFFFFFFFu; });
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Image("white.bmp", 10, 10).Set("hxColor", 0x00FF00));
  screen.Add(Image("white.bmp", 50, 10).Set("hxTrans", 128));
  Play(Game(screen));
  EXPECT_TRUE(Near(At(15, 15), 0x00FF00)) << "hxColor 0x00FF00 is green" << std::hex << At(15, 15);
  EXPECT_TRUE(Near(At(55, 15), 0x808080)) << std::hex << At(55, 15);
}

TEST_F(Pictures, ARotatedImageTurnsClockwiseAboutItsCentre) {
  // 40 x 20, red in its top-left quarter, blue elsewhere; centred at (200, 200), 90 degrees.
  Picture("marked.bmp", 40, 20, [](int x, int y) { return x < 20 && y < 10 ? 0xFFFF0000u : 0xFF0000FFu; });
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Image("marked.bmp", 200, 200).Set("PosHor", 1).Set("PosVert", 1).Set("Angle", 90.0));
  Play(Game(screen));
  EXPECT_TRUE(Near(At(205, 185), 0xFF0000)) << "the top-left quarter is now top right" << std::hex << At(205, 185);
  EXPECT_TRUE(Near(At(195, 185), 0x0000FF));
  EXPECT_TRUE(Near(At(205, 215), 0x0000FF));
  EXPECT_TRUE(Near(At(215, 200), 0x000000)) << "now 20 wide";
}

TEST_F(Pictures, AHigherOrderDrawsOverLaterChildren) {
  Picture("red.bmp", 20, 20, [](int, int) { return 0xFFFF0000u; });
  Picture("blue.bmp", 20, 20, [](int, int) { return 0xFF0000FFu; });
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Image("red.bmp", 10, 10).Set("Order", 1));
  screen.Add(Image("blue.bmp", 15, 15));
  Play(Game(screen));
  EXPECT_TRUE(Near(At(20, 20), 0xFF0000));
  EXPECT_TRUE(Near(At(32, 32), 0x0000FF));
}

TEST_F(Pictures, AScreenReferenceDrawsAndTakesClicksWhereItShowsItsScreen) {
  Picture("panel.bmp", 400, 50, [](int, int) { return 0xFF00FF00u; });
  Node main = Node::Of("TOxScreen").Set("Key", 2);
  main.Add(Node::Of("TOxExScreen").Set("X", 512).Set("Y", 600).Set("PosHor", 1).Set("obScreen", 5));
  Node panel = Node::Of("TOxScreen").Set("Key", 5).Set("ImBack", "panel.bmp");
  panel.Add(Image("panel.bmp", 0, 0).Set("ScaleX", 0.25).Set("exMouseDown", "OXDB.HITS := OXDB.HITS + 1"));
  Play(Game(main).Add(panel), "106 down 320 610\n107 up 320 610\n");
  EXPECT_TRUE(Near(At(312, 620), 0x00FF00)) << "the panel starts at 512 - 400 / 2";
  EXPECT_TRUE(Near(At(311, 620), 0x000000));
  EXPECT_NE(dump.find("{\"name\":\"HITS\",\"kind\":\"int32\",\"value\":1}"), std::string::npos);
}

TEST_F(Pictures, ClicksTakeTheAlphaOfThePixelAndTheScreensMargin) {
  // Opaque on the left half, fully transparent on the right.
  Picture("half.bmp", 40, 20, [](int x, int) { return x < 20 ? 0xFFFF0000u : 0x00000000u; });
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Image("half.bmp", 100, 100).Set("exMouseDown", "OXDB.HITS := OXDB.HITS + 1"));
  Play(Game(screen), "104 down 110 110\n105 up 110 110\n106 down 130 110\n107 up 130 110\n");
  EXPECT_NE(dump.find("{\"name\":\"HITS\",\"kind\":\"int32\",\"value\":1}"), std::string::npos) << "the transparent half takes no click";

  Node margin = Node::Of("TOxScreen").Set("Key", 2).Set("Agro", 5);
  margin.Add(Image("half.bmp", 300, 100).Set("PosHor", 1).Set("exMouseDown", "OXDB.HITS := OXDB.HITS + 1"));
  Play(Game(margin), "104 down 274 110\n105 up 274 110\n");
  EXPECT_NE(dump.find("{\"name\":\"HITS\",\"kind\":\"int32\",\"value\":1}"), std::string::npos)
      << "6 pixels left of the picture, within the margin of 5 and the probes";
}

TEST_F(Pictures, PicturesAndGridsComeFromTheArchiveWhenNoLooseFileHasThem) {
  // Two patterns side by side, red then green; the image shows the second.
  const std::string bmp = Bmp32(20, 10, [](int x, int) { return x < 10 ? 0xFFFF0000u : 0xFF00FF00u; });
  const std::string grid = "2\r\n1\r\n";
  std::filesystem::create_directories(folder.path() / "g");
  asdbpack::WriteArchive(folder.path() / "g/data.asdb",
                         {{"pics\\two.bmp", 1, std::vector<std::uint8_t>(bmp.begin(), bmp.end()), 0},
                          {"pics\\two.an", 1, std::vector<std::uint8_t>(grid.begin(), grid.end()), 0}});
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Image("pics\\two.bmp", 50, 50).Set("Anim", 1));
  Play(Game(screen).Set("FileFonts", "DATA.ASDB"));
  EXPECT_TRUE(Near(At(52, 52), 0x00FF00)) << std::hex << At(52, 52);
  EXPECT_TRUE(Near(At(60, 52), 0x000000)) << "one pattern is 10 wide";
}

TEST_F(Pictures, AnImageAtNoScaleFarOutsideTheBandDrawsNothingAndLeavesTheRestOfTheFrame) {
  Picture("red.bmp", 40, 20, [](int, int) { return 0xFFFF0000u; });
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Image("red.bmp", -3000, 100).Set("Scale", 0.0));
  screen.Add(Image("red.bmp", 3000, -4000).Set("ScaleY", 0.0));
  screen.Add(Image("red.bmp", 100, 100));
  Play(Game(std::move(screen)));  // an error inside the frame would be on stderr
  EXPECT_TRUE(Near(At(110, 110), 0xFF0000)) << "drawn after the two that are cut whole";
}

TEST_F(Pictures, ScriptsReadATextsWidthInItsFontAtItsScale) {
  std::filesystem::create_directories(folder.path() / "g");
  asdbpack::WriteArchive(folder.path() / "g/fonts.asdb", {render::testing::FontRecord("Main", render::testing::CellFont{}.Bytes())});
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("exProcess", "OXDB.W1 := ONE.TEXTSZ; OXDB.W2 := TWO.TEXTSZ");
  screen.Add(Node::Of("TOxText").Set("Id", "One").Set("Font", "main").Set("Text", "ABC").Set("Scale", 1.0));
  screen.Add(Node::Of("TOxText").Set("Id", "Two").Set("Font", "main").Set("Text", "ABC").Set("Scale", 2.0));
  const Node game = Game(screen).Set("FileFonts", "fonts.asdb").Set("exInit", "W1 := 0; W2 := 0");
  Play(game);
  EXPECT_NE(dump.find("{\"name\":\"W1\",\"kind\":\"int32\",\"value\":18}"), std::string::npos) << dump.substr(0, 600);
  EXPECT_NE(dump.find("{\"name\":\"W2\",\"kind\":\"int32\",\"value\":36}"), std::string::npos);
}

}  // namespace
}  // namespace ox::e2e
