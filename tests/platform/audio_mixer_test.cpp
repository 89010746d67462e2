#include "platform/audio/audio_mixer.h"

#include <gtest/gtest.h>

#include "audio_test_support.h"

namespace ox::platform {
namespace {

using testing::AudibleFrames;
using testing::Fixture;
using testing::FixtureBytes;
using testing::MixFrames;

// const_22050_mono.wav: 4410 frames of 16384 at 22,050 Hz, 8820 frames at the mix rate.
constexpr std::size_t kConstOutputFrames = 8820;

class AudioMixerTest : public ::testing::Test {
 protected:
  AudioHandle PlayConstant(std::int32_t volume, std::int32_t pan = 0) {
    const AudioHandle channel = mixer.SampleChannel(constant);
    ChannelAttributes attributes = *mixer.GetAttributes(channel);
    attributes.volume = volume;
    attributes.pan = pan;
    EXPECT_TRUE(mixer.SetAttributes(channel, attributes));
    EXPECT_TRUE(mixer.Play(channel, false));
    return channel;
  }

  AudioMixer mixer;
  AudioHandle constant = mixer.LoadSample(Fixture("const_22050_mono.wav"));
};

TEST_F(AudioMixerTest, SamplePlaysOnceAtTheMixRateThenEnds) {
  ASSERT_NE(constant, 0u);
  const AudioHandle channel = mixer.SampleChannel(constant);
  EXPECT_EQ(mixer.GetAttributes(channel), (ChannelAttributes{22050, 100, 0}));
  EXPECT_FALSE(mixer.IsPlaying(channel));
  ASSERT_TRUE(mixer.Play(channel, false));
  EXPECT_TRUE(mixer.IsPlaying(channel));

  const std::vector<std::int16_t> out = MixFrames(mixer, kConstOutputFrames + 500);
  EXPECT_EQ(out[0], 16384);
  EXPECT_EQ(out[1], 16384);
  EXPECT_EQ(out[2 * (kConstOutputFrames - 1)], 16384);
  EXPECT_EQ(AudibleFrames(out), kConstOutputFrames);
  EXPECT_FALSE(mixer.IsPlaying(channel));

  // A channel that reached its end plays again from the start.
  ASSERT_TRUE(mixer.Play(channel, false));
  EXPECT_EQ(AudibleFrames(MixFrames(mixer, kConstOutputFrames + 500)), kConstOutputFrames);
}

TEST_F(AudioMixerTest, VolumeIsALinearFactorAndPanLowersTheOtherSide) {
  PlayConstant(50);
  std::vector<std::int16_t> out = MixFrames(mixer, 10);
  EXPECT_EQ(out[0], 8192);
  EXPECT_EQ(out[1], 8192);

  AudioMixer panned;
  const AudioHandle sample = panned.LoadSample(Fixture("const_22050_mono.wav"));
  for (const auto& [pan, left, right] : {std::tuple{-100, 16384, 0}, std::tuple{50, 8192, 16384}}) {
    const AudioHandle channel = panned.SampleChannel(sample);
    ASSERT_TRUE(panned.SetAttributes(channel, {22050, 100, pan}));
    ASSERT_TRUE(panned.Play(channel, true));
    out = MixFrames(panned, 10);
    EXPECT_EQ(out[0], left) << "pan " << pan;
    EXPECT_EQ(out[1], right) << "pan " << pan;
    panned.Stop(channel);
  }
}

TEST_F(AudioMixerTest, AttributesReadBackAndOutOfRangeValuesAreTamed) {
  const AudioHandle channel = mixer.SampleChannel(constant);
  ASSERT_TRUE(mixer.SetAttributes(channel, {30000, 37, -20}));
  EXPECT_EQ(mixer.GetAttributes(channel), (ChannelAttributes{30000, 37, -20}));
  ASSERT_TRUE(mixer.SetAttributes(channel, {5, 150, 400}));
  EXPECT_EQ(mixer.GetAttributes(channel), (ChannelAttributes{30000, 100, 100}));
  ASSERT_TRUE(mixer.SetAttributes(channel, {22050, -4, -400}));
  EXPECT_EQ(mixer.GetAttributes(channel), (ChannelAttributes{22050, 0, -100}));
}

TEST_F(AudioMixerTest, FrequencySetsThePlaybackSpeed) {
  const AudioHandle channel = mixer.SampleChannel(constant);
  ASSERT_TRUE(mixer.SetAttributes(channel, {44100, 100, 0}));
  ASSERT_TRUE(mixer.Play(channel, false));
  EXPECT_EQ(AudibleFrames(MixFrames(mixer, kConstOutputFrames)), kConstOutputFrames / 2);
}

TEST_F(AudioMixerTest, ThreePlaybacksAtOnceAndAFourthTakesOverTheLongestPlayed) {
  const AudioHandle first = PlayConstant(10);
  MixFrames(mixer, 300);
  const AudioHandle second = PlayConstant(10);
  MixFrames(mixer, 200);
  const AudioHandle third = PlayConstant(10);
  MixFrames(mixer, 100);
  EXPECT_EQ(MixFrames(mixer, 1)[0], 4915);  // 3 x 1638.4

  const AudioHandle fourth = PlayConstant(10);
  EXPECT_FALSE(mixer.IsPlaying(first));
  EXPECT_FALSE(mixer.GetAttributes(first).has_value());
  EXPECT_FALSE(mixer.Play(first, true));
  EXPECT_TRUE(mixer.IsPlaying(second));
  EXPECT_TRUE(mixer.IsPlaying(third));
  EXPECT_TRUE(mixer.IsPlaying(fourth));
  EXPECT_EQ(MixFrames(mixer, 1)[0], 4915);  // 3 x 1638.4

  // The fourth started from the beginning: it outlasts the second by the 200 + 100 + 1 frames
  // the second had played before it.
  const std::vector<std::int16_t> rest = MixFrames(mixer, kConstOutputFrames);
  EXPECT_EQ(rest[2 * (kConstOutputFrames - 302)], 3277);
  EXPECT_EQ(rest[2 * (kConstOutputFrames - 2)], 1638);
}

TEST_F(AudioMixerTest, AVoiceThatIsNotPlayingIsTakenBeforeAPlayingOne) {
  const AudioHandle first = PlayConstant(10);
  MixFrames(mixer, 300);
  const AudioHandle second = PlayConstant(10);
  const AudioHandle third = PlayConstant(10);
  ASSERT_TRUE(mixer.Stop(second));
  const AudioHandle fourth = PlayConstant(10);
  EXPECT_TRUE(mixer.IsPlaying(first));
  EXPECT_FALSE(mixer.GetAttributes(second).has_value());
  EXPECT_TRUE(mixer.IsPlaying(third));
  EXPECT_TRUE(mixer.IsPlaying(fourth));
}

TEST_F(AudioMixerTest, LoudMixesClipInsteadOfWrapping) {
  PlayConstant(100);
  PlayConstant(100);
  PlayConstant(100, -100);
  const std::vector<std::int16_t> out = MixFrames(mixer, 4);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[1], 32767);
}

TEST_F(AudioMixerTest, PauseHoldsEverythingWhereItIs) {
  const AudioHandle channel = PlayConstant(100);
  MixFrames(mixer, 1000);
  mixer.Pause();
  EXPECT_EQ(AudibleFrames(MixFrames(mixer, 20000)), 0u);
  EXPECT_TRUE(mixer.IsPlaying(channel));
  mixer.Resume();
  EXPECT_EQ(AudibleFrames(MixFrames(mixer, kConstOutputFrames)), kConstOutputFrames - 1000);
}

TEST_F(AudioMixerTest, SamplesLoadFromMemoryAndBadDataGivesNoHandle) {
  const std::vector<std::uint8_t> bytes = FixtureBytes("tone_22050_mono.ogg");
  const AudioHandle fromMemory = mixer.LoadSample(bytes);
  ASSERT_NE(fromMemory, 0u);
  const AudioHandle channel = mixer.SampleChannel(fromMemory);
  ASSERT_TRUE(mixer.Play(channel, false));
  EXPECT_GT(AudibleFrames(MixFrames(mixer, 22050)), 20000u);

  EXPECT_EQ(mixer.LoadSample(Fixture("no_such_file.wav")), 0u);
  const std::vector<std::uint8_t> junk(500, 0x5A);
  EXPECT_EQ(mixer.LoadSample(junk), 0u);
}

TEST_F(AudioMixerTest, HandlesOfTheWrongKindFailQuietly) {
  const std::vector<std::uint8_t> bytes = FixtureBytes("const_44100_stereo.wav");
  const AudioHandle stream = mixer.CreateStream(bytes);
  ASSERT_NE(stream, 0u);
  EXPECT_EQ(mixer.SampleChannel(stream), 0u);
  EXPECT_EQ(mixer.SampleChannel(0), 0u);
  EXPECT_FALSE(mixer.Play(constant, true));
  EXPECT_FALSE(mixer.GetAttributes(constant).has_value());
  EXPECT_FALSE(mixer.IsPlaying(0));
  EXPECT_FALSE(mixer.Stop(0xFFFFFFFFu));
  EXPECT_FALSE(mixer.SetAttributes(stream + 1, {44100, 100, 0}));
}

TEST_F(AudioMixerTest, StreamsLoopWithoutAGapAndRestartFromTheTop) {
  const std::vector<std::uint8_t> bytes = FixtureBytes("two_levels_44100_mono.wav");
  const AudioHandle stream = mixer.CreateStream(bytes);
  ASSERT_NE(stream, 0u);
  EXPECT_EQ(mixer.GetAttributes(stream), (ChannelAttributes{44100, 100, 0}));
  ASSERT_TRUE(mixer.Play(stream, true));
  // 2205 frames at 16384, then 2205 at 8192, over and over.
  const std::vector<std::int16_t> out = MixFrames(mixer, 3 * 4410);
  for (std::size_t frame = 0; frame < 3 * 4410; ++frame) {
    ASSERT_EQ(out[2 * frame], (frame % 4410) < 2205 ? 16384 : 8192) << "frame " << frame;
  }
  EXPECT_TRUE(mixer.IsPlaying(stream));

  MixFrames(mixer, 3000);  // now in the second half
  ASSERT_TRUE(mixer.Play(stream, true));
  EXPECT_EQ(MixFrames(mixer, 1)[0], 16384);
}

TEST_F(AudioMixerTest, StoppedStreamGoesOnWhereItStopped) {
  const std::vector<std::uint8_t> bytes = FixtureBytes("two_levels_44100_mono.wav");
  const AudioHandle stream = mixer.CreateStream(bytes);
  ASSERT_TRUE(mixer.Play(stream, true));
  MixFrames(mixer, 3000);
  ASSERT_TRUE(mixer.Stop(stream));
  EXPECT_FALSE(mixer.IsPlaying(stream));
  EXPECT_EQ(AudibleFrames(MixFrames(mixer, 5000)), 0u);
  ASSERT_TRUE(mixer.Play(stream, false));
  EXPECT_EQ(MixFrames(mixer, 1)[0], 8192);
}

TEST_F(AudioMixerTest, StreamsFromMemoryAndFilesDecodeAsTheyPlay) {
  const std::vector<std::uint8_t> bytes = FixtureBytes("tone_22050_mono.ogg");
  const AudioHandle fromMemory = mixer.CreateStream(bytes);
  const AudioHandle fromFile = mixer.CreateStream(Fixture("tone_22050_mono.mp3"));
  ASSERT_NE(fromMemory, 0u);
  ASSERT_NE(fromFile, 0u);
  EXPECT_EQ(mixer.CreateStream(Fixture("no_such_file.ogg")), 0u);
  ASSERT_TRUE(mixer.Play(fromMemory, true));
  ASSERT_TRUE(mixer.SetAttributes(fromMemory, {22050, 100, -100}));
  ASSERT_TRUE(mixer.Play(fromFile, true));
  ASSERT_TRUE(mixer.SetAttributes(fromFile, {22050, 100, 100}));
  // Three seconds in small blocks: both half-second tones keep sounding, each on its side.
  std::size_t left = 0;
  std::size_t right = 0;
  for (int block = 0; block < 3 * 44100 / 1024; ++block) {
    const std::vector<std::int16_t> out = MixFrames(mixer, 1024);
    for (std::size_t i = 0; i < out.size(); i += 2) {
      left += out[i] != 0 ? 1 : 0;
      right += out[i + 1] != 0 ? 1 : 0;
    }
  }
  EXPECT_GT(left, 120000u);
  EXPECT_GT(right, 100000u);
  EXPECT_TRUE(mixer.IsPlaying(fromMemory));
  EXPECT_TRUE(mixer.IsPlaying(fromFile));
}

TEST_F(AudioMixerTest, FreedStreamIsGoneAndAnEmptyOneEndsByItself) {
  const std::vector<std::uint8_t> bytes = FixtureBytes("const_44100_stereo.wav");
  const AudioHandle stream = mixer.CreateStream(bytes);
  ASSERT_TRUE(mixer.Play(stream, true));
  mixer.FreeStream(stream);
  EXPECT_FALSE(mixer.IsPlaying(stream));
  EXPECT_FALSE(mixer.GetAttributes(stream).has_value());
  EXPECT_EQ(AudibleFrames(MixFrames(mixer, 100)), 0u);

  // A WAV header with no frames: the stream opens, plays nothing and stops.
  std::vector<std::uint8_t> empty(bytes.begin(), bytes.begin() + 44);
  empty[40] = empty[41] = empty[42] = empty[43] = 0;
  const AudioHandle silent = mixer.CreateStream(empty);
  ASSERT_NE(silent, 0u);
  ASSERT_TRUE(mixer.Play(silent, true));
  MixFrames(mixer, 10);
  EXPECT_FALSE(mixer.IsPlaying(silent));
}

}  // namespace
}  // namespace ox::platform
