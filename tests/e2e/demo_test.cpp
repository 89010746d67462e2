// The bundled demo game played through headless with scripted clicks, and continued from its save.
#include <gtest/gtest.h>

#include <sstream>

#include "player_run.h"

namespace ox::e2e {
namespace {

struct Demo : ::testing::Test {
  TempFolder folder;

  PlayerRun Play(std::int64_t ticks, const std::string& clicks, std::vector<std::string> extra = {}) {
    std::string events;
    std::istringstream in(clicks);
    for (std::string tick, x, y; in >> tick >> x >> y;)
      events += tick + " down " + x + " " + y + "\n" + std::to_string(std::stoi(tick) + 1) + " up " + x + " " + y + "\n";
    extra.insert(extra.end(), {"--headless", "--ticks", std::to_string(ticks), "--dump-tree", "-", "--log-errors",
                               "--user-dir", (folder.path() / "user").string(), "--events",
                               folder.Write("events.txt", events).string(), OX_DEMO_GAME});
    return RunPlayer(extra, folder);
  }

  // The value of a variable of the root, as the tree dump prints it.
  static std::string RootVar(const PlayerRun& run, const std::string& name) {
    const std::string root = Lines(run.out).at(0);
    const std::string key = "{\"name\":\"" + name + "\",\"kind\":\"int32\",\"value\":";
    const std::size_t at = root.find(key);
    if (at == std::string::npos) return "";
    return root.substr(at + key.size(), root.find('}', at) - at - key.size());
  }
};

constexpr char kStart[] = "110 512 555\n";
constexpr char kTakeKey[] = "120 740 655\n";
constexpr char kGemsInOrder[] = "140 512 452\n150 692 452\n160 332 452\n";

TEST_F(Demo, PlaysFromTheTitleToTheEnding) {
  const PlayerRun hall = Play(125, std::string(kStart) + kTakeKey);
  ASSERT_EQ(hall.exitCode, 0) << hall.err;
  EXPECT_EQ(hall.err.find("(in "), std::string::npos) << "no script error: " << hall.err;
  EXPECT_EQ(RootVar(hall, "STAGE"), "1");
  EXPECT_EQ(RootVar(hall, "HASKEY"), "1");

  std::filesystem::remove_all(folder.path() / "user");
  const PlayerRun wrongOrder = Play(175, std::string(kStart) + kTakeKey + "130 500 400\n140 692 452\n150 512 452\n");
  EXPECT_EQ(RootVar(wrongOrder, "STAGE"), "2") << "in the vault";
  EXPECT_EQ(RootVar(wrongOrder, "NEXTGEM"), "2") << "a wrong gem starts the order again";

  std::filesystem::remove_all(folder.path() / "user");
  const auto sound = folder.path() / "sound.wav";
  const PlayerRun ending = Play(190, std::string(kStart) + kTakeKey + "130 500 400\n150 512 452\n160 692 452\n170 332 452\n",
                                {"--audio-out", sound.string()});
  EXPECT_EQ(RootVar(ending, "STAGE"), "3");
  EXPECT_EQ(ending.err.find("(in "), std::string::npos) << ending.err;
  const std::size_t flight = ending.out.find("\"Id\":\"Flight\"");
  ASSERT_NE(flight, std::string::npos);
  const std::string flightLine = ending.out.substr(flight, ending.out.find('\n', flight) - flight);
  EXPECT_NE(flightLine.find("\"Active\":1"), std::string::npos) << "the gems fly on the ending: " << flightLine;
  EXPECT_EQ(flightLine.find("\"Pos\":-1"), std::string::npos) << flightLine;
  const std::string samples = ReadFile(sound).substr(44);
  int loudest = 0;
  for (std::size_t i = 0; i + 1 < samples.size(); i += 2)
    loudest = std::max(loudest, std::abs(static_cast<std::int16_t>(static_cast<std::uint8_t>(samples[i]) | samples[i + 1] << 8)));
  EXPECT_GT(loudest, 1000) << "the music and the sounds are heard";
}

TEST_F(Demo, StartingAgainContinuesFromTheSave) {
  ASSERT_EQ(RootVar(Play(125, std::string(kStart) + kTakeKey), "STAGE"), "1");
  // A new run: Start continues in the hall with the key in the bag, so the door opens at once.
  const PlayerRun continued = Play(175, std::string(kStart) + "120 500 400\n" + kGemsInOrder);
  EXPECT_EQ(RootVar(continued, "HASKEY"), "1");
  EXPECT_EQ(RootVar(continued, "STAGE"), "3");
}

TEST_F(Demo, TheLanguageChosenOnTheTitleIsKeptForTheNextStart) {
  const PlayerRun chosen = Play(120, "110 930 50\n");
  EXPECT_NE(Lines(chosen.out).at(0).find("\"Lang\":\"rus.lng\""), std::string::npos);
  EXPECT_NE(chosen.out.find("\"imImage\":\"PICTURES\\\\BANNER_RUS.BMP\""), std::string::npos) << chosen.out;
  const PlayerRun next = Play(110, "");
  EXPECT_NE(Lines(next.out).at(0).find("\"Lang\":\"rus.lng\""), std::string::npos);
  EXPECT_NE(next.out.find("BANNER_RUS.BMP"), std::string::npos);
}

}  // namespace
}  // namespace ox::e2e
