// The bundled demo game played through headless with scripted clicks, continued from its save,
// and played in the language chosen in its settings.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/text/codepage.h"
#include "player_run.h"
#include "script/value_json.h"

namespace ox::e2e {
namespace {

// Where the player clicks: "tick x y" lines, one press and release each.
constexpr char kPlay[] = "110 512 410\n";
constexpr char kSettings[] = "110 512 490\n";
constexpr char kLantern[] = "115 290 302\n";
constexpr char kCrate[] = "120 735 525\n";
constexpr char kKey[] = "160 760 564\n";  // the crate has slid aside by then
constexpr char kBagAndDoor[] = "165 76 710\n170 512 400\n";
constexpr char kGemsInOrder[] = "175 512 452\n180 692 452\n185 332 452\n";
constexpr char kHeart[] = "200 512 270\n";

constexpr char kTitle[] = "2", kSettingsScreen[] = "20", kHall[] = "10", kVault[] = "30", kEnding[] = "50";

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
    PlayerRun run = RunPlayer(extra, folder);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("(in "), std::string::npos) << "no script error: " << run.err;
    return run;
  }

  void ForgetTheSave() { std::filesystem::remove_all(folder.path() / "user"); }

  // A variable of the root, as the tree dump prints it.
  static std::string RootVar(const PlayerRun& run, const std::string& name) {
    const std::string root = Lines(run.out).at(0);
    const std::string key = "{\"name\":\"" + name + "\",\"kind\":\"int32\",\"value\":";
    const std::size_t at = root.find(key);
    if (at == std::string::npos) return "";
    return root.substr(at + key.size(), root.find('}', at) - at - key.size());
  }

  // The Key of the current screen.
  static std::string Screen(const PlayerRun& run) {
    const std::string root = Lines(run.out).at(0);
    const std::size_t at = root.rfind(",\"screen\":");
    return at == std::string::npos ? "" : root.substr(at + 10, root.size() - at - 11);
  }

  static std::string Text(const std::string& utf8) { return script::JsonString(platform::Cp1251FromUtf8(utf8)); }
};

TEST_F(Demo, PlaysFromTheTitleToTheEnding) {
  const PlayerRun title = Play(105, "");
  EXPECT_EQ(Screen(title), kTitle);
  EXPECT_NE(DumpLineOf(title.out, "Embers").find("\"Active\":1"), std::string::npos) << "embers rise on the title";

  const PlayerRun dark = Play(118, std::string(kPlay) + "113 735 525\n");
  EXPECT_EQ(Screen(dark), kHall);
  EXPECT_EQ(RootVar(dark, "MOVED"), "0") << "nothing moves in the dark";
  EXPECT_NE(DumpLineOf(dark.out, "Hint").find("\"TextId\":\"Hints.TooDark\""), std::string::npos);

  ForgetTheSave();
  const PlayerRun keyTaken = Play(163, std::string(kPlay) + kLantern + kCrate + kKey);
  EXPECT_EQ(RootVar(keyTaken, "LIT"), "1");
  EXPECT_EQ(RootVar(keyTaken, "MOVED"), "1");
  EXPECT_EQ(RootVar(keyTaken, "STAGE"), "1");
  EXPECT_NE(DumpLineOf(keyTaken.out, "Flame").find("\"Active\":1"), std::string::npos) << "the lantern burns";
  EXPECT_NE(DumpLineOf(keyTaken.out, "Crate").find("\"X\":840"), std::string::npos) << "the crate slid aside";
  EXPECT_NE(DumpLineOf(keyTaken.out, "BrassKey").find("\"Vis\":0"), std::string::npos) << "the key left the floor for the bag";
  EXPECT_NE(DumpLineOf(keyTaken.out, "Hint").find("\"TextId\":\"Hints.Bag\""), std::string::npos);

  ForgetTheSave();
  const PlayerRun wrongOrder =
      Play(183, std::string(kPlay) + kLantern + kCrate + kKey + kBagAndDoor + "175 692 452\n180 512 452\n");
  EXPECT_EQ(Screen(wrongOrder), kVault);
  EXPECT_EQ(RootVar(wrongOrder, "STAGE"), "2");
  EXPECT_EQ(RootVar(wrongOrder, "NEXTGEM"), "2") << "green first put the gems to sleep; red then woke";

  ForgetTheSave();
  const auto sound = folder.path() / "sound.wav";
  const PlayerRun ending = Play(215, std::string(kPlay) + kLantern + kCrate + kKey + kBagAndDoor + kGemsInOrder + kHeart,
                                {"--audio-out", sound.string()});
  EXPECT_EQ(Screen(ending), kEnding);
  EXPECT_EQ(RootVar(ending, "STAGE"), "4");
  EXPECT_NE(DumpLineOf(ending.out, "Chest").find("\"Anim\":1"), std::string::npos) << "the gems opened the chest";
  EXPECT_NE(DumpLineOf(ending.out, "Glitter").find("\"Active\":1"), std::string::npos);
  const std::string flight = DumpLineOf(ending.out, "Flight");
  EXPECT_NE(flight.find("\"Active\":1"), std::string::npos) << "the gems fly on the ending: " << flight;
  EXPECT_EQ(flight.find("\"Pos\":-1"), std::string::npos) << flight;
  EXPECT_NE(DumpLineOf(ending.out, "Burst").find("\"Active\":1"), std::string::npos) << "fireworks on the ending";
  const std::string samples = ReadFile(sound).substr(44);
  int loudest = 0;
  for (std::size_t i = 0; i + 1 < samples.size(); i += 2)
    loudest = std::max(loudest, std::abs(static_cast<std::int16_t>(static_cast<std::uint8_t>(samples[i]) | samples[i + 1] << 8)));
  EXPECT_GT(loudest, 1000) << "the music and the sounds are heard";
}

TEST_F(Demo, StartingAgainContinuesFromTheSave) {
  ASSERT_EQ(RootVar(Play(163, std::string(kPlay) + kLantern + kCrate + kKey), "STAGE"), "1");
  // Play continues in the lit hall with the crate aside and the key in the bag: the key is
  // picked out of the bag and the door opens at once.
  const PlayerRun vault = Play(125, std::string(kPlay) + "115 76 710\n120 512 400\n");
  EXPECT_EQ(Screen(vault), kVault);
  EXPECT_EQ(RootVar(vault, "STAGE"), "2");
  EXPECT_NE(DumpLineOf(vault.out, "Flame").find("\"Active\":1"), std::string::npos) << "the lantern still burns";

  const PlayerRun ending = Play(150, std::string(kPlay) + "115 512 452\n120 692 452\n125 332 452\n140 512 270\n");
  EXPECT_EQ(Screen(ending), kEnding);
  EXPECT_EQ(RootVar(ending, "STAGE"), "4");
  EXPECT_EQ(Screen(Play(115, kPlay)), kEnding) << "a finished game opens on its ending";
}

TEST_F(Demo, TheLanguageChosenInTheSettingsIsKeptForTheNextStart) {
  const PlayerRun chosen = Play(125, std::string(kSettings) + "115 642 390\n");
  EXPECT_EQ(Screen(chosen), kSettingsScreen);
  EXPECT_NE(Lines(chosen.out).at(0).find("\"Lang\":\"rus.lng\""), std::string::npos);
  EXPECT_NE(DumpLineOf(chosen.out, "Heading").find("\"Text\":" + Text("Настройки")), std::string::npos) << "texts change at once";
  EXPECT_NE(DumpLineOf(chosen.out, "Mark").find("\"X\":516"), std::string::npos) << "the frame marks the language in use";
  EXPECT_NE(chosen.out.find("\"imImage\":\"PICTURES\\\\BANNER_RUS.BMP\""), std::string::npos);

  const PlayerRun next = Play(118, std::string(kSettings) + "114 512 570\n");
  EXPECT_EQ(Screen(next), kTitle) << "Back leads to the title";
  EXPECT_NE(Lines(next.out).at(0).find("\"Lang\":\"rus.lng\""), std::string::npos);
  EXPECT_NE(DumpLineOf(next.out, "Caption", "Play").find("\"Text\":" + Text("Играть")), std::string::npos);
  EXPECT_NE(DumpLineOf(next.out, "Intro").find("\"AutoEnter\":1"), std::string::npos);
  EXPECT_NE(next.out.find("BANNER_RUS.BMP"), std::string::npos);

  const PlayerRun english = Play(118, std::string(kSettings) + "115 382 390\n");
  EXPECT_NE(DumpLineOf(english.out, "Heading").find("\"Text\":\"Settings\""), std::string::npos);
  EXPECT_NE(DumpLineOf(english.out, "Mark").find("\"X\":256"), std::string::npos);
}

}  // namespace
}  // namespace ox::e2e
