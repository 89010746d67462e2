// The mixer behind the audio layer: every loaded sample with its three voices and every stream,
// mixed into 44,100 Hz 16-bit stereo. The Audio operations are called from one thread (the
// main thread); the output calls Mix on the audio thread and RefillStreams on a thread that
// feeds the streams (or, in virtual time, before each Mix). One lock guards what they share;
// Mix neither allocates nor decodes. Samples and streams live until the mixer is destroyed,
// except streams that are freed.
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/audio.h"
#include "platform/audio/audio_decoder.h"
#include "platform/audio/audio_mixing.h"
#include "platform/audio/audio_stream.h"

namespace ox::platform {

class AudioMixer final : public Audio {
 public:
  AudioMixer();
  ~AudioMixer() override;
  AudioMixer(const AudioMixer&) = delete;
  AudioMixer& operator=(const AudioMixer&) = delete;

  AudioHandle LoadSample(const std::filesystem::path& file) override;
  AudioHandle LoadSample(std::span<const std::uint8_t> bytes) override;
  AudioHandle CreateStream(const std::filesystem::path& file) override;
  AudioHandle CreateStream(std::span<const std::uint8_t> bytes) override;
  void FreeStream(AudioHandle stream) override;
  AudioHandle SampleChannel(AudioHandle sample) override;
  std::optional<ChannelAttributes> GetAttributes(AudioHandle channel) const override;
  bool SetAttributes(AudioHandle channel, const ChannelAttributes& attributes) override;
  bool Play(AudioHandle channel, bool fromStart) override;
  bool IsPlaying(AudioHandle channel) const override;
  bool Stop(AudioHandle channel) override;
  void Pause() override;
  void Resume() override;

  // Overwrites `out` (interleaved stereo, two values a frame) with the next frames of output;
  // silence, with nothing advancing, while paused.
  void Mix(std::span<std::int16_t> out);
  // Decodes ahead for every playing stream until its ring is full.
  void RefillStreams();

 private:
  enum class VoiceState : std::uint8_t { kIdle, kReady, kPlaying };

  struct Voice {
    explicit Voice(std::int32_t rate) : settings(rate) {}
    VoiceState state = VoiceState::kIdle;
    std::uint8_t generation = 0;
    std::uint64_t position = 0;
    ChannelSettings settings;
  };

  struct Sample {
    explicit Sample(DecodedSound decoded);
    DecodedSound sound;
    std::array<Voice, kPlaybacksPerSample> voices;
  };

  AudioHandle AddSample(std::optional<DecodedSound> sound);
  AudioHandle AddStream(std::unique_ptr<AudioDecoder> decoder);
  Voice* FindVoice(AudioHandle channel) const;
  std::shared_ptr<StreamChannel> FindStream(AudioHandle stream) const;
  ChannelSettings* SettingsOf(AudioHandle channel) const;
  static int ChooseVoice(const Sample& sample);
  void MixChunk(float* mix, std::size_t frames);

  mutable std::mutex lock_;
  std::vector<std::unique_ptr<Sample>> samples_;
  std::vector<std::shared_ptr<StreamChannel>> streams_;  // a freed stream leaves nullptr
  bool paused_ = false;
  std::vector<float> mixBuffer_;
};

}  // namespace ox::platform
