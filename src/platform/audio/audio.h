// The audio layer the player talks to: samples decoded once when they are loaded and played on
// up to three voices each, looping streams decoded as they play, the volume, pan and frequency
// of a channel, and pause and resume of all output. Output is 44,100 Hz, 16-bit stereo.
// Handles are 32-bit values and 0 means failure; a call given 0, a stale handle or a handle of
// the wrong kind fails quietly (false, nullopt or 0). Implemented by the mixer (audio_mixer.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace ox::platform {

using AudioHandle = std::uint32_t;

inline constexpr std::int32_t kMixRate = 44100;
inline constexpr int kPlaybacksPerSample = 3;
// Source rates and channel frequencies the layer accepts, in Hz.
inline constexpr std::int32_t kMinFrequency = 100;
inline constexpr std::int32_t kMaxFrequency = 384000;

// Volume is a linear amplitude factor in percent (50 halves the amplitude); pan runs from -100
// (left only) through 0 (both sides at full level) to 100 (right only); frequency is the rate
// at which the channel's source is played, at first the source's own rate.
struct ChannelAttributes {
  std::int32_t frequency = 0;
  std::int32_t volume = 100;
  std::int32_t pan = 0;

  friend bool operator==(const ChannelAttributes&, const ChannelAttributes&) = default;
};

class Audio {
 public:
  virtual ~Audio() = default;

  // A sample from a WAV, OGG or MP3 file or block of memory (the format is told by the
  // content), decoded whole now; the memory is only read during the call.
  virtual AudioHandle LoadSample(const std::filesystem::path& file) = 0;
  virtual AudioHandle LoadSample(std::span<const std::uint8_t> bytes) = 0;

  // A looping stream, decoded as it plays. A memory stream reads the caller's bytes, which
  // must stay valid and unchanged until the stream is freed.
  virtual AudioHandle CreateStream(const std::filesystem::path& file) = 0;
  virtual AudioHandle CreateStream(std::span<const std::uint8_t> bytes) = 0;
  // Stops the stream and lets go of its source; the handle goes stale.
  virtual void FreeStream(AudioHandle stream) = 0;

  // A channel for one playback of the sample, not playing yet, at the sample's rate, volume
  // 100 and pan 0. A voice that is not playing is taken first; when all three play, the one
  // that has played longest is stopped and handed out, and its old channel handle goes stale.
  virtual AudioHandle SampleChannel(AudioHandle sample) = 0;

  // Channels are the channels of samples and the streams.
  virtual std::optional<ChannelAttributes> GetAttributes(AudioHandle channel) const = 0;
  // Volume is clamped to 0..100 and pan to -100..100; a frequency outside
  // kMinFrequency..kMaxFrequency keeps the current one.
  virtual bool SetAttributes(AudioHandle channel, const ChannelAttributes& attributes) = 0;
  // Starts playback. fromStart plays from the first frame; otherwise a stopped channel goes on
  // where it stopped (a sample channel that reached its end plays again from the start).
  virtual bool Play(AudioHandle channel, bool fromStart) = 0;
  // True from Play until the channel is stopped or, for a sample channel, reaches its end.
  virtual bool IsPlaying(AudioHandle channel) const = 0;
  virtual bool Stop(AudioHandle channel) = 0;

  // All output halts where it is, and goes on from there; channels keep their state, and a
  // playing channel still counts as playing while the output is paused.
  virtual void Pause() = 0;
  virtual void Resume() = 0;
};

}  // namespace ox::platform
