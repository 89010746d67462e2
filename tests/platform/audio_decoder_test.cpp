#include "platform/audio/audio_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio_test_support.h"

namespace ox::platform {
namespace {

using testing::Fixture;
using testing::FixtureBytes;

std::optional<DecodedSound> DecodeFixture(const char* name) {
  std::unique_ptr<AudioDecoder> decoder = OpenAudioDecoder(FileSource(Fixture(name)));
  if (decoder == nullptr) return std::nullopt;
  return DecodeWhole(*decoder);
}

std::optional<DecodedSound> DecodeBytes(std::span<const std::uint8_t> bytes) {
  std::unique_ptr<AudioDecoder> decoder = OpenAudioDecoder(MemorySource(bytes));
  if (decoder == nullptr) return std::nullopt;
  return DecodeWhole(*decoder);
}

int Peak(const DecodedSound& sound) {
  int peak = 0;
  for (const std::int16_t v : sound.frames) peak = std::max(peak, std::abs(static_cast<int>(v)));
  return peak;
}

// Swings of channel 0 between well below and well above zero: twice the frequency times the
// duration for a tone (the faint noise a lossy encoder leaves in silence does not count).
int ZeroCrossings(const DecodedSound& sound) {
  constexpr int kThreshold = 1000;
  int crossings = 0;
  int side = 0;
  for (std::size_t i = 0; i < sound.frames.size(); i += static_cast<std::size_t>(sound.channels)) {
    const int now = sound.frames[i] > kThreshold ? 1 : sound.frames[i] < -kThreshold ? -1 : 0;
    if (now != 0 && now != side) {
      crossings += side != 0 ? 1 : 0;
      side = now;
    }
  }
  return crossings;
}

TEST(WavDecoder, EveryEncodingGivesTheSameSixteenBitTone) {
  const std::optional<DecodedSound> reference = DecodeFixture("tone_s16.wav");
  ASSERT_TRUE(reference);
  EXPECT_EQ(reference->sampleRate, 8000);
  EXPECT_EQ(reference->channels, 1);
  ASSERT_EQ(reference->FrameCount(), 800u);
  for (const auto& [name, tolerance] :
       {std::pair{"tone_u8.wav", 256}, std::pair{"tone_s24.wav", 1}, std::pair{"tone_s32.wav", 1},
        std::pair{"tone_f32.wav", 1}}) {
    SCOPED_TRACE(name);
    const std::optional<DecodedSound> sound = DecodeFixture(name);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->sampleRate, 8000);
    ASSERT_EQ(sound->frames.size(), reference->frames.size());
    for (std::size_t i = 0; i < sound->frames.size(); ++i) {
      ASSERT_NEAR(sound->frames[i], reference->frames[i], tolerance) << "frame " << i;
    }
  }
}

TEST(WavDecoder, KeepsStereoAndMixesMoreChannelsDownToOne) {
  const std::optional<DecodedSound> stereo = DecodeFixture("const_44100_stereo.wav");
  ASSERT_TRUE(stereo);
  EXPECT_EQ(stereo->channels, 2);
  ASSERT_EQ(stereo->FrameCount(), 4410u);
  EXPECT_EQ(stereo->frames[0], 16384);
  EXPECT_EQ(stereo->frames[1], -8192);

  // Six channels at 0.1 to 0.6 of full scale average to 0.35.
  const std::optional<DecodedSound> six = DecodeFixture("const_6ch.wav");
  ASSERT_TRUE(six);
  EXPECT_EQ(six->channels, 1);
  EXPECT_EQ(six->FrameCount(), 400u);
  EXPECT_NEAR(six->frames[200], 11469, 1);
}

TEST(WavDecoder, TruncatedDataEndsWhereTheFileEnds) {
  std::vector<std::uint8_t> bytes = FixtureBytes("const_22050_mono.wav");
  bytes.resize(44 + 1000 * 2 + 1);  // the last frame is cut in half
  const std::optional<DecodedSound> sound = DecodeBytes(bytes);
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->FrameCount(), 1000u);
}

TEST(WavDecoder, RefusesBrokenAndUnsupportedHeaders) {
  const std::vector<std::uint8_t> good = FixtureBytes("tone_s16.wav");
  std::vector<std::uint8_t> headerOnly(good.begin(), good.begin() + 30);
  EXPECT_FALSE(DecodeBytes(headerOnly));
  std::vector<std::uint8_t> adpcm = good;
  adpcm[20] = 2;  // format tag 2: compressed
  EXPECT_EQ(OpenAudioDecoder(MemorySource(adpcm)), nullptr);
  std::vector<std::uint8_t> noChannels = good;
  noChannels[22] = 0;
  EXPECT_EQ(OpenAudioDecoder(MemorySource(noChannels)), nullptr);
}

TEST(OggDecoder, DecodesTheToneAtItsRateAndLength) {
  const std::optional<DecodedSound> sound = DecodeFixture("tone_22050_mono.ogg");
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->sampleRate, 22050);
  EXPECT_EQ(sound->channels, 1);
  EXPECT_EQ(sound->FrameCount(), 11025u);
  EXPECT_NEAR(Peak(*sound), 16384, 1000);
  EXPECT_NEAR(ZeroCrossings(*sound), 440, 4);

  const std::optional<DecodedSound> stereo = DecodeFixture("tone_44100_stereo.ogg");
  ASSERT_TRUE(stereo);
  EXPECT_EQ(stereo->channels, 2);
  EXPECT_EQ(stereo->FrameCount(), 44100u);
}

TEST(Mp3Decoder, DecodesTheToneAtItsRateAndLength) {
  const std::optional<DecodedSound> sound = DecodeFixture("tone_22050_mono.mp3");
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->sampleRate, 22050);
  EXPECT_EQ(sound->channels, 1);
  // The encoder may pad the start and the end by up to a frame or two.
  EXPECT_GE(sound->FrameCount(), 11025u);
  EXPECT_LE(sound->FrameCount(), 11025u + 2 * 1152u);
  EXPECT_NEAR(Peak(*sound), 16384, 2000);
  EXPECT_NEAR(ZeroCrossings(*sound), 440, 10);
}

TEST(AudioDecoder, RewindGivesTheSameFramesAgain) {
  // The MP3 decoder's filter history survives the seek and may move a value by one step.
  for (const auto& [name, tolerance] :
       {std::pair{"tone_s16.wav", 0}, std::pair{"tone_22050_mono.ogg", 0},
        std::pair{"tone_22050_mono.mp3", 1}}) {
    SCOPED_TRACE(name);
    const std::vector<std::uint8_t> bytes = FixtureBytes(name);
    std::unique_ptr<AudioDecoder> decoder = OpenAudioDecoder(MemorySource(bytes));
    ASSERT_NE(decoder, nullptr);
    const std::optional<DecodedSound> first = DecodeWhole(*decoder);
    ASSERT_TRUE(decoder->Rewind());
    const std::optional<DecodedSound> second = DecodeWhole(*decoder);
    ASSERT_TRUE(first && second);
    ASSERT_EQ(first->frames.size(), second->frames.size());
    for (std::size_t i = 0; i < first->frames.size(); ++i) {
      ASSERT_NEAR(first->frames[i], second->frames[i], tolerance) << "value " << i;
    }
  }
}

TEST(AudioDecoder, FindsNothingInOtherContent) {
  EXPECT_EQ(OpenAudioDecoder(FileSource(Fixture("no_such_file.wav"))), nullptr);
  EXPECT_EQ(OpenAudioDecoder(MemorySource({})), nullptr);
  std::vector<std::uint8_t> text(3000);
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<std::uint8_t>("plain text, not sound "[i % 22]);
  EXPECT_FALSE(DecodeBytes(text));
  std::vector<std::uint8_t> brokenOgg = FixtureBytes("tone_22050_mono.ogg");
  brokenOgg.resize(60);
  EXPECT_FALSE(DecodeBytes(brokenOgg));
}

}  // namespace
}  // namespace ox::platform
