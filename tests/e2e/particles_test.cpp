// Star sprites and particle effects through the real binary: the layer a star is drawn after,
// stars freed by a screen switch, and effects run by their time factor, stopped and broken off.
#include <gtest/gtest.h>

#include <string>

#include "gamefile/game_file_writer.h"
#include "media/picture_decoder.h"
#include "render/particle_params.h"
#include "screenshot_game.h"

namespace ox::e2e {
namespace {

using gamefile::Node;

struct Particles : ScreenshotGame {
  void SetUp() override {
    // One white pattern of 8 x 8: stars and particles draw it.
    folder.Write("g/particles.bmp", Bmp32(8, 8, [](int, int) { return 0xFFFFFFFFu; }));
  }
  // Plays with script errors shown: the title line must be all the player prints.
  void Play(const Node& game, int ticks = 110) {
    PlayWith(game, {"--log-errors"}, ticks, "oxplayer: title: G\n");
  }
};

Node Game(Node screen) {
  return Node::Of("TOxDB").Set("Key", 1).Set("Id", "G").Set("InitScreen", 2).Add(std::move(screen));
}

// An effect file: particles that stay where they are born, white, scale 1, living 100 s.
std::string StillEffect(float emitRate, float duration) {
  render::TParticleParams p;
  p.LastPattern = -1;  // no pattern animation
  p.DrawEffect = 0x000104;  // additive
  p.EmitRate = emitRate;
  p.Duration = duration;
  p.LifeA = p.LifeB = 100;
  p.ScaleStart = p.ScaleMiddle = p.ScaleEnd = 1;
  p.ColorStart = p.ColorMiddle = p.ColorEnd = 0xFFFFFFFF;
  p.MiddleTime = 0.5f;
  const auto block = render::WriteParticleParams(p);
  return {block.begin(), block.end()};
}

TEST_F(Particles, StarsDrawAfterTheirLayerOrAboveEverythingAndGoAtAScreenSwitch) {
  folder.Write("g/red.bmp", Bmp32(40, 40, [](int, int) { return 0xFFFF0000u; }));
  // Blue stars: 16711680 is 0xFF0000, blue in the engine's colour order.
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("Id", "S2").Set(
      "exShow",
      "AddStar(0, 110, 110, 1, 0, 0, 0, 0, 0, '16711680', 0, 0);"
      "AddStar(0, 130, 130, 1, 0, 0, 0, 0, 0, '16711680', 1000, 0);"
      "AddStar(0, 300, 300, 1, 0, 0, 0, 0, 0, '16711680', 0, 0);"
      "AddStar(0, 500, 300, 0.5, 0, -0.25, 0, 0, 0, '16711680')");
  screen.Add(Node::Of("TOxImage").Set("imImage", "red.bmp").Set("X", 100).Set("Y", 100).Set("rX", 100.0).Set("rY", 100.0).Set("Order", 1));
  Play(Game(screen));
  EXPECT_EQ(At(110, 110), 0xFF0000u) << "a star of layer 0 is under the image of Order 1";
  EXPECT_EQ(At(130, 130), 0xFF00FFu) << "a star of layer 1000 adds over it";
  EXPECT_EQ(At(300, 300), 0x0000FFu);
  EXPECT_EQ(At(500, 300), 0u) << "a shrinking star is gone after its second tick";

  Node switching = screen;
  switching.Set("exProcess", "OXDB.T := OXDB.T + 1; if OXDB.T = 3 then FastSetScreenNS(OXDB.S3)");
  Play(Game(switching).Set("exInit", "T := 0").Add(Node::Of("TOxScreen").Set("Key", 3).Set("Id", "S3")));
  EXPECT_EQ(At(300, 300), 0u) << "the switch freed the stars";
}

TEST_F(Particles, EffectsRunByTheirTimeFactorAndStopOrBreakOff) {
  folder.Write("g/fx/still.eff", StillEffect(10, 1000));
  auto effect = [](const char* id, int x, double dAnim) {
    return Node::Of("TOxEffect").Set("Id", id).Set("X", x).Set("Y", 200).Set("EffectFN", "FX\\STILL.EFF")
        .Set("DAnim", dAnim).Set("Active", 1);
  };
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set(
      "exProcess", "OXDB.T := OXDB.T + 1; if OXDB.T = 3 then begin AnimStop(STOPPED); AnimBreak(BROKEN) end");
  screen.Add(effect("Running", 100, 30));
  screen.Add(effect("Frozen", 300, 0));
  screen.Add(effect("Stopped", 500, 30));
  screen.Add(effect("Broken", 700, 30));
  Play(Game(screen).Set("exInit", "T := 0"));
  EXPECT_EQ(At(100, 200), 0xFFFFFFu);
  EXPECT_EQ(At(300, 200), 0u) << "DAnim 0 emits nothing";
  EXPECT_EQ(At(500, 200), 0xFFFFFFu) << "stopped, its particles live on";
  EXPECT_EQ(At(700, 200), 0u) << "broken off, its particles are gone";
  EXPECT_NE(dump.find("\"Id\":\"Stopped\""), std::string::npos);
  EXPECT_NE(DumpLineOf(dump, "Stopped").find("\"Active\":0"), std::string::npos) << "AnimStop clears Active";
  EXPECT_NE(DumpLineOf(dump, "Broken").find("\"Active\":0"), std::string::npos) << "AnimBreak clears Active";
}

}  // namespace
}  // namespace ox::e2e
