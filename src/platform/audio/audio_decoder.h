// Decoding WAV, OGG (Vorbis) and MP3 into 16-bit frames of one or two channels. A source with
// more than two channels is mixed down to one channel holding their average. The format is
// told by the content: "RIFF" with "WAVE" is WAV, "OggS" is OGG, anything else is tried as MP3.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/audio/audio.h"
#include "platform/audio/audio_source.h"

namespace ox::platform {

class AudioDecoder {
 public:
  virtual ~AudioDecoder() = default;

  std::int32_t SampleRate() const { return sampleRate_; }
  int Channels() const { return channels_; }

  // Up to maxFrames frames (maxFrames x Channels() values, interleaved) from where decoding
  // stands; 0 at the end of the sound or on a decoding error.
  virtual std::size_t Read(std::int16_t* frames, std::size_t maxFrames) = 0;
  // Back to the first frame; false when that fails.
  virtual bool Rewind() = 0;

 protected:
  AudioDecoder(std::int32_t sampleRate, int channels)
      : sampleRate_(sampleRate), channels_(channels) {}

 private:
  std::int32_t sampleRate_;
  int channels_;
};

// nullptr when the content is none of the three formats or uses a variant the decoders do not
// play (compressed WAV, a rate outside kMinFrequency..kMaxFrequency).
std::unique_ptr<AudioDecoder> OpenAudioDecoder(std::unique_ptr<ByteSource> source);

// A whole sound in memory, as samples keep it.
struct DecodedSound {
  std::int32_t sampleRate = 0;
  int channels = 0;
  std::vector<std::int16_t> frames;  // interleaved

  std::size_t FrameCount() const {
    return channels > 0 ? frames.size() / static_cast<std::size_t>(channels) : 0;
  }
};

// Samples longer than this (about 50 minutes at 44,100 Hz) are refused.
inline constexpr std::size_t kMaxSampleFrames = std::size_t{1} << 27;

// Reads the decoder to its end; nullopt when it gave no frame or more than kMaxSampleFrames.
std::optional<DecodedSound> DecodeWhole(AudioDecoder& decoder);

// A float sample in -1..1 as a 16-bit value; out-of-range values clip and NaN is silence.
inline std::int16_t Sample16FromFloat(float value) {
  if (std::isnan(value)) return 0;
  const float scaled = std::round(value * 32767.0f);
  if (scaled >= 32767.0f) return 32767;
  if (scaled <= -32768.0f) return -32768;
  return static_cast<std::int16_t>(scaled);
}

}  // namespace ox::platform
