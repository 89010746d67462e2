// Texts drawn by the real binary: a line aligned in its box with its gradient and a colour tag,
// a unicode text from the unicode picture, a focused text through the TrueType face (compared
// by coverage, not by glyph pixels), and typing into it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "../render/fonts_test_font.h"
#include "asdb_pack/asdb_packer.h"
#include "gamefile/game_file_writer.h"
#include "media/picture_decoder.h"
#include "screenshot_game.h"
#include "render/screenshot.h"

namespace ox::e2e {
namespace {

using gamefile::Node;

struct Texts : ScreenshotGame {
  void SetUp() override {
    // "A" to "Z" as solid white cells of 10 x 16, each advancing 10.
    render::testing::CellFont cells;
    cells.cellWidth = 10;
    cells.cellHeight = 16;
    cells.glyphs.assign(26, {10, 16});
    std::filesystem::create_directories(folder.path() / "g");
    ASSERT_TRUE(asdbpack::WriteArchive((folder.path() / "g/fonts.asdb").string(),
                                       {render::testing::FontRecord("Cells", cells.Bytes())}));
  }

  // How many pixels of the rectangle are lit (any channel above 64).
  int Lit(int left, int top, int right, int bottom) {
    int lit = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) lit += (At(x, y) & 0xC0C0C0u) != 0;
    }
    return lit;
  }

  // Unicode mode: "A" (0x41) is pattern 0, a full white cell of 16 x 16; "Zhe" (0x416) is
  // pattern 1, white in its top half only. Both advance 16; the trailer names the face.
  void UnicodeSet() {
    folder.Write("g/unicode/unicode.fnt", "2\r\n41 27.2\r\n416 27.2\r\nDejaVu Sans\r\n");
    std::vector<std::uint32_t> glyphs(32 * 16);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 32; ++x) glyphs[static_cast<std::size_t>(y * 32 + x)] = x < 16 || y < 8 ? 0xFFFFFFFFu : 0xFF000000u;
    }
    ASSERT_TRUE(render::WritePng((folder.path() / "g/unicode/unicode.png").string(), glyphs, 32, 16));
    folder.Write("g/unicode/unicode.an", "2\r\n1\r\n");
  }
};

Node Game(Node screen) {
  return Node::Of("TOxDB").Set("Key", 1).Set("Id", "G").Set("InitScreen", 2).Set("FileFonts", "fonts.asdb").Add(std::move(screen));
}

Node Text(const std::string& text, int x, int y) {
  return Node::Of("TOxText").Set("X", x).Set("Y", y).Set("rX", double(x)).Set("rY", double(y)).Set("Font", "cells")
      .Set("SizeX", 200).Set("SizeY", 100).Set("Text", text);
}

int Red(Colour c) { return int(c >> 16 & 255); }
int Green(Colour c) { return int(c >> 8 & 255); }
int Blue(Colour c) { return int(c & 255); }

TEST_F(Texts, ALineIsCentredInItsBoxShadedFromTopToBottomAndRetintedByATag) {
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  // "AA", then a tag that makes the top colour green for the last "A": 30 pixels by 16.
  screen.Add(Text("AA#$FF00FF00A", 100, 100).Set("PosHor", 1).Set("PosVert", 1)
                 .Set("hxColor1", 0x0000FF).Set("hxColor2", 0xFF0000).Set("hxTrans2", 255));
  Play(Game(screen));
  EXPECT_EQ(At(184, 150), 0u) << "the line starts at 100 + (200 - 30) / 2";
  EXPECT_EQ(At(215, 150), 0u);
  EXPECT_GT(Red(At(190, 142)), 200) << "the top is red";
  EXPECT_GT(Blue(At(190, 157)), 200) << "the bottom is blue";
  EXPECT_GT(Green(At(210, 142)), 200) << "the tag's green";
  EXPECT_GT(Blue(At(210, 157)), 200);
  EXPECT_EQ(At(200, 139), 0u) << "the block of 16 starts at 100 + (100 - 16) / 2";
  EXPECT_EQ(At(200, 158), 0u);
  EXPECT_NE(At(200, 142), 0u);
}

TEST_F(Texts, WrappedLinesStackDownTheBox) {
  // AAAA is 40 wide and a blank 3: " BBBB" does not fit after it in 70, " CC" fits after BBBB.
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Text("AAAA BBBB\\nCC", 100, 100).Set("SizeX", 70).Set("EnEnter", true).Set("AutoEnter", true)
                 .Set("Interval", 4.0));
  Play(Game(screen));
  EXPECT_NE(At(105, 108), 0u);
  EXPECT_NE(At(105, 128), 0u) << "BBBB on the second line, 20 pixels down";
  EXPECT_EQ(At(105, 118), 0u) << "the interval between them";
  EXPECT_NE(At(145, 128), 0u) << "CC follows BBBB: the break only separated words";
  EXPECT_EQ(At(105, 148), 0u);
}

TEST_F(Texts, UnicodeModeDrawsCharactersFromTheUnicodePicture) {
  UnicodeSet();
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  screen.Add(Text("A\x01\x16\x04" "A", 100, 100).Set("hxColor1", 0x00FF00));
  Play(Game(screen));
  EXPECT_EQ(At(108, 104), 0x00FF00u) << "A, tinted green";
  EXPECT_EQ(At(124, 104), 0x00FF00u) << "the top of the second glyph";
  EXPECT_EQ(At(124, 112), 0u) << "and its empty bottom half";
  EXPECT_EQ(At(140, 112), 0x00FF00u) << "the last A, 32 pixels in";
  EXPECT_EQ(At(150, 104), 0u);
}

TEST_F(Texts, AFocusedTextInUnicodeModeIsSetInTheTrueTypeFaceAndTakesTyping) {
  UnicodeSet();
  Node screen = Node::Of("TOxScreen").Set("Key", 2);
  // The picture of the line is centred on the middle of the box, (400, 350).
  screen.Add(Text("Hello", 300, 300).Set("Id", "Field").Set("PosHor", 1).Set("PosVert", 1).Set("hxColor1", 0x0000FF)
                 .Set("exInit", "SetFocus(SELF)"));
  Play(Game(screen), "104 char 32\n104 char 1046\n105 char 8\n105 char 87\n");
  EXPECT_NE(dump.find("Hello W"), std::string::npos) << "typed into: a space, Zhe, backspace, W";
  // k = 16 / 30 x 1.5 = 0.8: the text is about 24 pixels tall, centred on y = 350.
  EXPECT_GT(Lit(300, 338, 500, 362), 150);
  EXPECT_EQ(Lit(300, 300, 500, 336), 0);
  EXPECT_EQ(Lit(300, 364, 500, 400), 0);
  EXPECT_GT(Lit(340, 338, 400, 362), 40) << "left of the centre";
  EXPECT_GT(Lit(400, 338, 460, 362), 40) << "and right of it";
  int reds = 0;
  for (int x = 300; x < 500; ++x) reds += Red(At(x, 350)) > 128 && Green(At(x, 350)) < 64;
  EXPECT_GT(reds, 3) << "drawn in colour 1";
}

}  // namespace
}  // namespace ox::e2e
