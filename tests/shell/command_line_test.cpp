// The command line, the events file and finding the game file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "shell/command_line.h"
#include "shell/game_discovery.h"
#include "shell/input_event.h"
#include "support/temp_folder.h"

namespace ox::shell {
namespace {

TEST(CommandLine, TakesTestModeOnlyFirstAndEveryOptionWithItsValue) {
  const auto parsed = ParseCommandLine({"/testmode", "--headless", "--ticks", "12", "--events", "e.txt",
                                        "--screenshot", "s.png", "--user-dir", "u", "--dump-tree", "-",
                                        "--log-errors", "--audio-out", "a.wav", "game.oxf"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const Options& o = *parsed.options;
  EXPECT_TRUE(o.testMode);
  EXPECT_TRUE(o.headless);
  EXPECT_EQ(o.ticks, 12);
  EXPECT_EQ(o.eventsFile, "e.txt");
  EXPECT_EQ(o.screenshotFile, "s.png");
  EXPECT_EQ(o.userDir, "u");
  EXPECT_EQ(o.dumpTreeFile, "-");
  EXPECT_TRUE(o.logErrors);
  EXPECT_EQ(o.audioOutFile, "a.wav");
  EXPECT_EQ(o.game, "game.oxf");
  EXPECT_FALSE(ParseCommandLine({"--headless", "/TESTMODE"}).options->testMode) << "only as the first argument";
}

TEST(CommandLine, RefusesWhatItCannotRead) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--ticks"}, {"--ticks", "-3"}, {"--ticks", "1x"}, {"--events"}, {"--what"}, {"a.oxf", "b.oxf"}}) {
    const auto parsed = ParseCommandLine(args);
    EXPECT_FALSE(parsed.options.has_value()) << args[0];
    EXPECT_FALSE(parsed.error.empty());
  }
  EXPECT_EQ(ParseCommandLine({"--ticks", "0"}).options->ticks, 0);
}

TEST(EventsFile, ReadsEveryKindWithCommentsAndFlags) {
  const EventsFile file = ParseEvents(
      "# a comment line\n"
      "1 move 10 20\n"
      "2 down 5 6 right   # pressed\n"
      "2 up 5 6\n"
      "3 key 13 alt shift\n"
      "4 char 1071\n"
      "\n"
      "5 deactivate\n6 activate\n7 close\n");
  ASSERT_EQ(file.error, "");
  ASSERT_EQ(file.events.size(), 8u);
  using K = InputEvent::Kind;
  EXPECT_EQ(file.events[0].kind, K::Move);
  EXPECT_EQ(file.events[0].y, 20);
  EXPECT_EQ(file.events[1].kind, K::Down);
  EXPECT_EQ(file.events[1].tick, 2);
  EXPECT_EQ(file.events[3].kind, K::Key);
  EXPECT_TRUE(file.events[3].alt);
  EXPECT_FALSE(file.events[3].ctrl);
  EXPECT_TRUE(file.events[3].shift);
  EXPECT_EQ(file.events[4].code, 1071);
  EXPECT_EQ(file.events[7].kind, K::Close);
}

TEST(EventsFile, NamesTheLineItCannotRead) {
  for (const char* bad : {"0 move 1 2", "1 jump", "1 move 1", "1 move 1 2 left", "1 key 65 meta", "1 char", "x close",
                          "1 close now", "1 down 1 2 sideways"}) {
    const EventsFile file = ParseEvents(std::string("1 move 0 0\n") + bad + "\n");
    EXPECT_EQ(file.error.rfind("line 2:", 0), 0u) << bad << " gave: " << file.error;
  }
}

struct Discovery : ::testing::Test {
  test_support::TempFolder temp;
  std::filesystem::path folder = temp.path();
  void SetUp() override { std::filesystem::create_directories(folder / "bin"); }
  void Touch(const std::filesystem::path& p, const std::string& text = "") {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p) << text;
  }
  DiscoveryPlaces Places() { return {folder / "bin", "player", folder / "config", {}}; }
};

TEST_F(Discovery, PrefersTheProgramsOwnNameThenTheFirstGameFileInNameOrder) {
  Touch(folder / "bin/b.oxf");
  Touch(folder / "bin/A.OXF");
  GameLocation found = LocateGame("", Places());
  EXPECT_TRUE(found.found);
  EXPECT_EQ(found.fileName, "A.OXF");
  Touch(folder / "bin/player.oxf");
  EXPECT_EQ(LocateGame("", Places()).fileName, "player.oxf");
}

TEST_F(Discovery, FallsBackOnTheEditorsIniAndSaysWhenNothingIsFound) {
  EXPECT_FALSE(LocateGame("", Places()).found);
  Touch(folder / "games/x/game.oxf");
  Touch(folder / "config/ZiZudor.ini", "[Main]\r\nPath=..\\games\\x\\game.oxf\r\n");
  const GameLocation found = LocateGame("", Places());
  EXPECT_TRUE(found.found);
  EXPECT_EQ(found.fileName, "game.oxf");
  EXPECT_TRUE(std::filesystem::equivalent(found.folder, folder / "games/x"));
}

TEST_F(Discovery, PlaysTheInstalledDemoWhenNothingElseIsFound) {
  DiscoveryPlaces places = Places();
  places.installedDemo = folder / "share/demo";
  EXPECT_FALSE(LocateGame("", places).found);
  Touch(folder / "share/demo/demo.oxf");
  const GameLocation demo = LocateGame("", places);
  EXPECT_TRUE(demo.found);
  EXPECT_EQ(demo.folder, folder / "share/demo");
  Touch(folder / "bin/own.oxf");
  EXPECT_EQ(LocateGame("", places).fileName, "own.oxf") << "a game beside the player comes first";
}

TEST_F(Discovery, AGivenFolderPlaysItsFirstGameFile) {
  Touch(folder / "g/z.oxf");
  Touch(folder / "g/m.oxf");
  const GameLocation found = LocateGame((folder / "g").string(), Places());
  EXPECT_EQ(found.fileName, "m.oxf");
  EXPECT_FALSE(LocateGame((folder / "nothing.oxf").string(), Places()).found);
}

}  // namespace
}  // namespace ox::shell
