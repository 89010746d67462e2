// Sound through the real binary: --audio-out captures what the game plays, tick by tick.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "asdb_pack/asdb_packer.h"
#include "gamefile/game_file_writer.h"
#include "player_run.h"

namespace ox::e2e {
namespace {

using gamefile::Node;

constexpr std::size_t kFramesPerTick = 1470;  // 44100 Hz / 30 ticks
constexpr double kToneRms = 0.355386;           // of tone_44100_stereo.ogg, as sox measures it
const std::string kSounds = std::string(OX_SOURCE_DIR) + "/tests/platform/data";

// The interleaved 16-bit stereo samples of a PCM WAV file (its "data" chunk).
std::vector<std::int16_t> WavSamples(const std::string& bytes) {
  std::size_t pos = 12;
  while (pos + 8 <= bytes.size()) {
    std::uint32_t size;
    std::memcpy(&size, bytes.data() + pos + 4, 4);
    if (bytes.compare(pos, 4, "data") == 0) {
      std::vector<std::int16_t> samples(std::min<std::size_t>(size, bytes.size() - pos - 8) / 2);
      std::memcpy(samples.data(), bytes.data() + pos + 8, samples.size() * 2);
      return samples;
    }
    pos += 8 + size + (size & 1);
  }
  return {};
}

double Rms(const std::vector<std::int16_t>& s, std::size_t firstFrame, std::size_t frames) {
  double sum = 0;
  std::size_t n = 0;
  for (std::size_t i = firstFrame * 2; i < std::min(s.size(), (firstFrame + frames) * 2); ++i, ++n)
    sum += (s[i] / 32768.0) * (s[i] / 32768.0);
  return n ? std::sqrt(sum / static_cast<double>(n)) : 0.0;
}

struct AudioOut : ::testing::Test {
  TempFolder folder;
  bool looseFiles = true;
  std::vector<std::int16_t> Capture(const Node& game, int ticks, const std::string& events) {
    folder.Write("game/game.oxf", gamefile::WriteGameFile(game));
    folder.Write("game/sounds.lst", "[Default]\r\nClick=60:CONST.WAV\r\nTheme=theme.ogg\r\n");
    if (looseFiles) {
      folder.Write("game/Sounds/const.wav", ReadFile(kSounds + "/const_44100_stereo.wav"));
      folder.Write("game/Sounds/theme.ogg", ReadFile(kSounds + "/tone_44100_stereo.ogg"));
    } else {
      const std::string wav = ReadFile(kSounds + "/const_44100_stereo.wav");
      asdbpack::WriteArchive(folder.path() / "game/res.asdb",
                             {{"sounds\\const.wav", 1, std::vector<std::uint8_t>(wav.begin(), wav.end()), 0}});
    }
    const auto wav = folder.path() / "out.wav";
    const PlayerRun run = RunPlayer({"--headless", "--ticks", std::to_string(ticks), "--audio-out", wav.string(),
                                     "--events", folder.Write("events.txt", events).string(),
                                     (folder.path() / "game/game.oxf").string()},
                                    folder);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return WavSamples(ReadFile(wav));
  }
};

Node Game(const char* showScript) {
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("Id", "S").Set("exShow", showScript);
  screen.Add(Node::Of("TOxShape").Set("Key", 3).Set("exMouseDown", "PlaySnd('Click')"));
  return Node::Of("TOxDB").Set("Key", 1).Set("Id", "A").Set("InitScreen", 2).Set("SoundFile", "sounds.lst").Add(screen);
}

TEST_F(AudioOut, ASampleSoundsFromItsClickAtItsVolume) {
  const auto samples = Capture(Game(""), 130, "120 down 10 10\n");
  ASSERT_EQ(samples.size(), 130 * kFramesPerTick * 2) << "every tick mixes 1/30 s";
  EXPECT_EQ(Rms(samples, 0, 119 * kFramesPerTick), 0.0) << "silence before the click";
  const std::string file = ReadFile(kSounds + "/const_44100_stereo.wav");
  const double expected = 0.6 * Rms(WavSamples(file), 0, 4410);
  ASSERT_GT(expected, 0.1) << "the test sound is there";
  EXPECT_NEAR(Rms(samples, 119 * kFramesPerTick, 4410), expected, 0.03 * expected);
  EXPECT_EQ(Rms(samples, 119 * kFramesPerTick + 4410, 1000), 0.0) << "a sample plays once";
}

TEST_F(AudioOut, ASampleNoLooseFileHasComesFromTheArchive) {
  looseFiles = false;
  const auto samples = Capture(Game("").Set("FileFonts", "res.asdb"), 130, "120 down 10 10\n");
  EXPECT_GT(Rms(samples, 119 * kFramesPerTick, 4410), 0.1);
}

TEST_F(AudioOut, MusicFadesInOverTwoSecondsToTheMusicVolume) {
  const auto samples = Capture(Game("PlayMuz('Theme')"), 260, "");
  const std::size_t start = 101 * kFramesPerTick;  // the first screen is shown at tick 102
  EXPECT_EQ(Rms(samples, 0, start), 0.0);
  const double full = 0.5 * kToneRms;  // the music volume is 50 by default
  EXPECT_LT(Rms(samples, start, 10 * kFramesPerTick), 0.2 * full) << "the first third of a second is quiet";
  const double middle = Rms(samples, start + 28 * kFramesPerTick, 4 * kFramesPerTick);
  EXPECT_GT(middle, 0.35 * full);
  EXPECT_LT(middle, 0.65 * full);
  EXPECT_NEAR(Rms(samples, start + 90 * kFramesPerTick, 60 * kFramesPerTick), full, 0.05 * full);
}

}  // namespace
}  // namespace ox::e2e
