// Key-frame animations through the real binary: an actor halfway between its keys, a
// cross-fade, two references showing one animation at different frames, and the order of the
// events an animation runs while it plays.
#include <gtest/gtest.h>

#include <functional>

#include "gamefile/game_file_writer.h"
#include "media/picture_decoder.h"
#include "screenshot_game.h"

namespace ox::e2e {
namespace {

using gamefile::Node;

struct Anims : ScreenshotGame {
  void SetUp() override {
    folder.Write("g/red.bmp", Bmp32(20, 20, [](int, int) { return 0xFFFF0000u; }));
    folder.Write("g/white.bmp", Bmp32(20, 20, [](int, int) { return 0xFFFFFFFFu; }));
  }
};

Node Game(Node screen) {
  return Node::Of("TOxDB").Set("Key", 1).Set("Id", "G").Set("InitScreen", 2).Set("exInit", "LOG := ''").Add(std::move(screen));
}

Node Actor(const char* picture, int x, int y) {
  return Node::Of("TOxImage").Set("Id", "Car").Set("imImage", picture).Set("X", x).Set("Y", y)
      .Set("rX", double(x)).Set("rY", double(y));
}

// Two keys: the first of ten frames holding `from`, the second of one frame holding `to`.
Node Animation(const char* id, Node from, Node to, bool morph = false) {
  Node anim = Node::Of("TOxAnim").Set("Id", id).Set("ShowAn", 1);
  anim.Add(Node::Of("TOxAnKey").Set("Count", 9).Set("Morph", morph ? 1 : 0).Add(std::move(from)));
  anim.Add(Node::Of("TOxAnKey").Set("Count", 0).Add(std::move(to)));
  return anim;
}

bool Near(Colour a, Colour b, int tolerance = 4) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance) return false;
  }
  return true;
}

TEST_F(Anims, AnActorHalfwayBetweenItsKeysIsDrawnHalfway) {
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("exShow", "WALK.POS := 5");
  screen.Add(Animation("Walk", Actor("red.bmp", 100, 100), Actor("red.bmp", 200, 100)).Set("X", 10));
  Play(Game(screen));
  EXPECT_TRUE(Near(At(161, 110), 0xFF0000)) << "100 + 10 + 100 5/10";
  EXPECT_TRUE(Near(At(179, 119), 0xFF0000));
  EXPECT_TRUE(Near(At(158, 110), 0x000000));
  EXPECT_TRUE(Near(At(182, 110), 0x000000));
  EXPECT_TRUE(Near(At(115, 110), 0x000000)) << "the keys themselves are not drawn";
}

TEST_F(Anims, AChangedPictureCrossFadesOverItsKey) {
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("exShow", "FADE.POS := 5");
  screen.Add(Animation("Fade", Actor("white.bmp", 100, 100), Actor("red.bmp", 100, 100), true));
  Play(Game(screen));
  // Count 9: h = 4.5, f = 5 is past half: white at 223 - 0.5 223/4.5 = 198, then red over it at
  // 0.5 32/4.5 + 223 = 227.
  const Colour c = At(110, 110);
  EXPECT_TRUE(Near(c, 0xF91616)) << std::hex << c;
}

TEST_F(Anims, TwoReferencesShowOneAnimationAtTheirOwnFrames) {
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("exShow", "LEFT.POS := 0; RIGHT.POS := 9");
  screen.Add(Node::Of("TOxExAnim").Set("Id", "Left").Set("X", 0).Set("Y", 300).Set("obAnim", 7));
  screen.Add(Node::Of("TOxExAnim").Set("Id", "Right").Set("X", 500).Set("Y", 300).Set("obAnim", 7));
  Play(Game(screen).Add(Animation("Shared", Actor("red.bmp", 0, 0), Actor("red.bmp", 100, 0)).Set("Key", 7)));
  EXPECT_TRUE(Near(At(10, 310), 0xFF0000)) << "frame 0 at the left reference";
  EXPECT_TRUE(Near(At(500 + 90 + 10, 310), 0xFF0000)) << "frame 9 at the right one";
  EXPECT_TRUE(Near(At(500 + 10, 310), 0x000000));
}

TEST_F(Anims, StartingRunsExStartThenExAnimEveryTickThenExStopOnce) {
  Node anim = Node::Of("TOxAnim").Set("Id", "Walk").Set("exStart", "OXDB.LOG := OXDB.LOG + 'S'")
      .Set("exAnim", "OXDB.LOG := OXDB.LOG + IntToStr(POS)").Set("exStop", "OXDB.LOG := OXDB.LOG + 'E'");
  anim.Add(Node::Of("TOxAnKey").Set("Count", 2));
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("exShow", "AnimStart(WALK)");
  screen.Add(std::move(anim));
  Play(Game(screen));
  EXPECT_NE(dump.find("{\"name\":\"LOG\",\"kind\":\"string\",\"value\":\"S12E\"}"), std::string::npos) << dump.substr(0, 2000);
}

}  // namespace
}  // namespace ox::e2e
