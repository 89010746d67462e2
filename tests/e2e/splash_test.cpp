// The logo splash through the real binary: logos fade in and out over their fill colour, the
// tree is initialised at the first logo's tick 18 and the first screen shown at the second's.
#include <gtest/gtest.h>

#include "gamefile/game_file_writer.h"
#include "media/picture_decoder.h"
#include "player_run.h"

namespace ox::e2e {
namespace {

using gamefile::Node;

struct Splash : ::testing::Test {
  TempFolder folder;
  void SetUp() override {
    folder.Write("g/Logos/logo1.jpg", ReadFile(std::string(OX_TEST_DATA) + "/logo_red.jpg"));
    folder.Write("g/Logos/LOGO2.JPG", ReadFile(std::string(OX_TEST_DATA) + "/logo_blue.jpg"));
    Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("exShow", "OXDB.SHOWN := 1").Set("exProcess", "OXDB.PLAYING := 1");
    folder.Write("g/game.oxf", gamefile::WriteGameFile(Node::Of("TOxDB").Set("Key", 1).Set("InitScreen", 2)
                                                           .Set("exInit", "SHOWN := 0; PLAYING := 0").Add(screen)));
  }
  // Runs `ticks` ticks; the screenshot shows the frame drawn before the last tick ran.
  PlayerRun Run(int ticks, media::Bitmap* shot = nullptr) {
    const auto png = folder.path() / "shot.png";
    PlayerRun run = RunPlayer({"--headless", "--ticks", std::to_string(ticks), "--dump-tree", "-", "--screenshot",
                               png.string(), (folder.path() / "g/game.oxf").string()},
                              folder);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    if (shot != nullptr) {
      const std::string bytes = ReadFile(png);
      *shot = media::DecodePicture("s.png", std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    }
    return run;
  }
};

int Channel(std::uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 255); }

TEST_F(Splash, LogosFadeInOverTheColourOfTheirFirstPixel) {
  media::Bitmap shot;
  Run(6, &shot);  // logo count 4 drawn: alpha 60
  ASSERT_EQ(shot.width, 1024);
  const std::uint32_t fill = shot.Row(10)[10], middle = shot.Row(384)[512];
  EXPECT_GT(Channel(fill, 8), 235) << "the fill is the logo's white first pixel";
  EXPECT_NEAR(Channel(middle, 16), 255, 12);
  EXPECT_NEAR(Channel(middle, 8), 255 - 60, 16) << "red at alpha 60 over white";
  Run(50, &shot);
  EXPECT_LT(Channel(shot.Row(384)[512], 8), 20) << "full red once faded in";
  Run(150, &shot);
  EXPECT_GT(Channel(shot.Row(384)[512], 0), 230) << "the second logo is blue";
  EXPECT_LT(Channel(shot.Row(384)[512], 16), 20);
}

TEST_F(Splash, InitAndShowComeAtTick18OfTheFirstAndSecondLogoAndPlayAfterTheLast) {
  const std::string shownVar = "{\"name\":\"SHOWN\",\"kind\":\"int32\",\"value\":";
  EXPECT_EQ(Run(18).out.find(shownVar), std::string::npos);
  EXPECT_NE(Run(19).out.find(shownVar + "0}"), std::string::npos);
  EXPECT_NE(Run(119).out.find(shownVar + "0}"), std::string::npos);
  EXPECT_NE(Run(120).out.find(shownVar + "1}"), std::string::npos) << "tick 18 of the second logo";
  // Two logos of 100 ticks, each after a tick that looks for it, then 100 ticks without one.
  const std::string playing = "{\"name\":\"PLAYING\",\"kind\":\"int32\",\"value\":";
  EXPECT_NE(Run(304).out.find(playing + "0}"), std::string::npos);
  EXPECT_NE(Run(305).out.find(playing + "1}"), std::string::npos);
}


TEST(SplashWithoutLogos, TheScreenThatInitChoosesIsTheOneLoaded) {
  TempFolder folder;
  folder.Write("g/first.bmp", "not a picture");
  folder.Write("g/other.bmp", "not a picture either");
  Node first = Node::Of("TOxScreen").Set("Key", 2).Set("ImBack", "first.bmp");
  Node other = Node::Of("TOxScreen").Set("Key", 3).Set("Id", "Other").Set("ImBack", "other.bmp");
  folder.Write("g/game.oxf", gamefile::WriteGameFile(Node::Of("TOxDB").Set("Key", 1).Set("InitScreen", 2)
                                                         .Set("exInit", "FastSetScreenNS(OXDB.OTHER)")
                                                         .Add(first).Add(other)));
  // Init comes at tick 18 of the wait that stands for the missing logos; nothing is drawn yet.
  const PlayerRun run = RunPlayer({"--headless", "--log-errors", "--ticks", "25", (folder.path() / "g/game.oxf").string()},
                                  folder);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("cannot decode the picture OTHER.BMP"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("FIRST.BMP"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace ox::e2e
