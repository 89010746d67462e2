#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "audio_test_support.h"
#include "platform/audio/audio_capture.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/audio_virtual_time.h"
#include "support/temp_folder.h"

namespace ox::platform {
namespace {

using testing::AudibleFrames;
using testing::Fixture;

std::uint32_t Le32At(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

TEST(AudioCapture, WritesAStandardStereoWavFile) {
  AudioCapture capture;
  const std::vector<std::int16_t> block{1, -1, 32767, -32768};
  capture.Append(block);
  capture.Append(block);
  EXPECT_EQ(capture.FrameCount(), 4u);

  const std::string wav = capture.WavBytes();
  ASSERT_EQ(wav.size(), 44u + 16u);
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(Le32At(wav, 4), 36u + 16u);
  EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(Le32At(wav, 16), 16u);
  EXPECT_EQ(Le32At(wav, 20), 1u | (2u << 16));  // PCM, two channels
  EXPECT_EQ(Le32At(wav, 24), 44100u);
  EXPECT_EQ(Le32At(wav, 28), 44100u * 4);
  EXPECT_EQ(Le32At(wav, 32), 4u | (16u << 16));  // 4 bytes a frame, 16 bits
  EXPECT_EQ(wav.substr(36, 4), "data");
  EXPECT_EQ(Le32At(wav, 40), 16u);
  EXPECT_EQ(std::memcmp(wav.data() + 44, "\x01\x00\xFF\xFF\xFF\x7F\x00\x80", 8), 0);

  test_support::TempFolder folder;
  const std::filesystem::path file = folder.path() / "out" / "sound.wav";
  ASSERT_TRUE(capture.WriteWav(file));
  EXPECT_EQ(test_support::ReadFile(file), wav);
}

TEST(VirtualTimeAudio, EachTickMixesOneThirtiethOfASecond) {
  AudioMixer mixer;
  const AudioHandle sample = mixer.LoadSample(Fixture("const_22050_mono.wav"));
  const std::vector<std::uint8_t> music = testing::FixtureBytes("tone_22050_mono.ogg");
  const AudioHandle stream = mixer.CreateStream(music);
  const AudioHandle channel = mixer.SampleChannel(sample);
  ASSERT_TRUE(mixer.Play(channel, false));
  ASSERT_TRUE(mixer.SetAttributes(stream, {22050, 100, 100}));
  ASSERT_TRUE(mixer.Play(stream, true));

  AudioCapture capture;
  for (int tick = 0; tick < 90; ++tick) MixVirtualFrames(mixer, kAudioFramesPerTick, &capture);
  EXPECT_EQ(kAudioFramesPerTick, 1470u);
  ASSERT_EQ(capture.FrameCount(), 90u * 1470u);
  EXPECT_FALSE(mixer.IsPlaying(channel));
  EXPECT_TRUE(mixer.IsPlaying(stream));

  // The sample sounds on the left for its 8820 frames (six ticks); the looping tone on the
  // right goes on throughout.
  const std::string wav = capture.WavBytes();
  std::vector<std::int16_t> values(capture.FrameCount() * 2);
  std::memcpy(values.data(), wav.data() + 44, values.size() * 2);
  std::size_t left = 0;
  std::size_t right = 0;
  for (std::size_t i = 0; i < values.size(); i += 2) {
    left += values[i] != 0 ? 1 : 0;
    right += values[i + 1] != 0 ? 1 : 0;
  }
  EXPECT_EQ(left, 8820u);
  EXPECT_GT(right, 90u * 1470u * 9 / 10);
}

// Waits, in real time, for a 0.2-second sample to finish on the output.
void ExpectSampleEndsInRealTime(AudioMixer& mixer) {
  const AudioHandle sample = mixer.LoadSample(Fixture("const_22050_mono.wav"));
  const AudioHandle channel = mixer.SampleChannel(sample);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(mixer.Play(channel, false));
  while (mixer.IsPlaying(channel) &&
         std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_FALSE(mixer.IsPlaying(channel));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
}

TEST(NullAudioOutput, AdvancesPlaybackInRealTime) {
  AudioMixer mixer;
  const std::unique_ptr<AudioOutput> output = OpenNullAudioOutput(mixer);
  EXPECT_FALSE(output->HasDevice());
  ExpectSampleEndsInRealTime(mixer);
}

TEST(NullAudioOutput, StreamsRestartStopAndGoWhileTheOutputRuns) {
  AudioMixer mixer;
  const std::unique_ptr<AudioOutput> output = OpenNullAudioOutput(mixer);
  const std::vector<std::uint8_t> music = testing::FixtureBytes("tone_22050_mono.ogg");
  const AudioHandle stream = mixer.CreateStream(music);
  const AudioHandle file = mixer.CreateStream(Fixture("tone_22050_mono.mp3"));
  ASSERT_TRUE(mixer.Play(file, true));
  for (int round = 0; round < 40; ++round) {
    ASSERT_TRUE(mixer.Play(stream, round % 2 == 0));
    ASSERT_TRUE(mixer.SetAttributes(stream, {22050 + 100 * round, 50, round - 20}));
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    if (round % 3 == 0) {
      ASSERT_TRUE(mixer.Stop(stream));
    }
  }
  ASSERT_TRUE(mixer.Play(stream, false));
  std::this_thread::sleep_for(std::chrono::milliseconds(700));  // longer than the tones: they loop
  EXPECT_TRUE(mixer.IsPlaying(stream));
  EXPECT_TRUE(mixer.IsPlaying(file));
  mixer.FreeStream(stream);
  EXPECT_FALSE(mixer.IsPlaying(stream));
  EXPECT_TRUE(mixer.IsPlaying(file));
}

TEST(SdlAudioOutput, PlaysThroughTheDummyDevice) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  AudioMixer mixer;
  const std::unique_ptr<AudioOutput> output = OpenSdlAudioOutput(mixer);
  ::unsetenv("SDL_AUDIODRIVER");
  if (output == nullptr) GTEST_SKIP() << "SDL has no dummy audio driver here";
  EXPECT_TRUE(output->HasDevice());
  ExpectSampleEndsInRealTime(mixer);
}

TEST(AudioOutput, OpensSomethingEvenWithoutASoundCard) {
  AudioMixer mixer;
  EXPECT_NE(OpenAudioOutput(mixer), nullptr);
}

}  // namespace
}  // namespace ox::platform
