#include "platform/audio/audio_mixer.h"

#include <algorithm>
#include <cmath>

#include "platform/files/read_file.h"

namespace ox::platform {
namespace {

// Handles carry their kind in the top bits. A sample channel's handle also names its voice and
// an 8-bit generation count, so a channel handed over to a newer playback goes stale (until the
// same voice has been handed out 256 times more, which no caller keeps a handle for).
constexpr AudioHandle kSampleTag = 0x10000000u;
constexpr AudioHandle kStreamTag = 0x20000000u;
constexpr AudioHandle kKindMask = 0x70000000u;
constexpr AudioHandle kIndexMask = 0x0FFFFFFFu;
constexpr AudioHandle kChannelFlag = 0x80000000u;
constexpr std::size_t kMaxSamples =
    (kChannelFlag >> 8) / kPlaybacksPerSample;  // voice slots fit in 23 bits
constexpr std::size_t kMixChunkFrames = 1024;

struct VoiceAddress {
  std::size_t sample;
  std::size_t voice;
  std::uint8_t generation;
};

std::optional<std::size_t> IndexOf(AudioHandle handle, AudioHandle tag) {
  if ((handle & kChannelFlag) != 0 || (handle & kKindMask) != tag) return std::nullopt;
  return handle & kIndexMask;
}

AudioHandle ChannelHandle(std::size_t sample, std::size_t voice, std::uint8_t generation) {
  const auto slot = static_cast<AudioHandle>(sample * kPlaybacksPerSample + voice);
  return kChannelFlag | (slot << 8) | generation;
}

std::optional<VoiceAddress> VoiceOf(AudioHandle handle) {
  if ((handle & kChannelFlag) == 0) return std::nullopt;
  const std::size_t slot = (handle & ~kChannelFlag) >> 8;
  return VoiceAddress{slot / kPlaybacksPerSample, slot % kPlaybacksPerSample,
                      static_cast<std::uint8_t>(handle & 0xFFu)};
}

std::optional<DecodedSound> DecodeSource(std::unique_ptr<ByteSource> source) {
  std::unique_ptr<AudioDecoder> decoder = OpenAudioDecoder(std::move(source));
  if (decoder == nullptr) return std::nullopt;
  return DecodeWhole(*decoder);
}

}  // namespace

AudioMixer::Sample::Sample(DecodedSound decoded)
    : sound(std::move(decoded)),
      voices{Voice(sound.sampleRate), Voice(sound.sampleRate), Voice(sound.sampleRate)} {}

AudioMixer::AudioMixer() : mixBuffer_(2 * kMixChunkFrames) {}

AudioMixer::~AudioMixer() {
  for (const auto& stream : streams_) {
    if (stream != nullptr) stream->Release();
  }
}

AudioHandle AudioMixer::LoadSample(const std::filesystem::path& file) {
  // The whole file is read first, so that decoding never waits on the disk piecemeal.
  const std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return 0;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
  return LoadSample(std::span<const std::uint8_t>(data, bytes->size()));
}

AudioHandle AudioMixer::LoadSample(std::span<const std::uint8_t> bytes) {
  return AddSample(DecodeSource(MemorySource(bytes)));
}

AudioHandle AudioMixer::AddSample(std::optional<DecodedSound> sound) {
  if (!sound) return 0;
  auto sample = std::make_unique<Sample>(std::move(*sound));
  const std::lock_guard lock(lock_);
  if (samples_.size() >= kMaxSamples) return 0;
  samples_.push_back(std::move(sample));
  return kSampleTag | static_cast<AudioHandle>(samples_.size() - 1);
}

AudioHandle AudioMixer::CreateStream(const std::filesystem::path& file) {
  return AddStream(OpenAudioDecoder(FileSource(file)));
}

AudioHandle AudioMixer::CreateStream(std::span<const std::uint8_t> bytes) {
  return AddStream(OpenAudioDecoder(MemorySource(bytes)));
}

AudioHandle AudioMixer::AddStream(std::unique_ptr<AudioDecoder> decoder) {
  if (decoder == nullptr) return 0;
  auto stream = std::make_shared<StreamChannel>(std::move(decoder));
  const std::lock_guard lock(lock_);
  if (streams_.size() > kIndexMask) return 0;
  streams_.push_back(std::move(stream));
  return kStreamTag | static_cast<AudioHandle>(streams_.size() - 1);
}

void AudioMixer::FreeStream(AudioHandle stream) {
  std::shared_ptr<StreamChannel> freed;
  {
    const std::lock_guard lock(lock_);
    const std::optional<std::size_t> index = IndexOf(stream, kStreamTag);
    if (!index || *index >= streams_.size()) return;
    freed = std::move(streams_[*index]);
  }
  if (freed != nullptr) freed->Release();
}

AudioMixer::Voice* AudioMixer::FindVoice(AudioHandle channel) const {
  const std::optional<VoiceAddress> address = VoiceOf(channel);
  if (!address || address->sample >= samples_.size()) return nullptr;
  Voice& voice = samples_[address->sample]->voices[address->voice];
  return voice.generation == address->generation ? &voice : nullptr;
}

std::shared_ptr<StreamChannel> AudioMixer::FindStream(AudioHandle stream) const {
  const std::optional<std::size_t> index = IndexOf(stream, kStreamTag);
  if (!index || *index >= streams_.size()) return nullptr;
  return streams_[*index];
}

ChannelSettings* AudioMixer::SettingsOf(AudioHandle channel) const {
  if (Voice* voice = FindVoice(channel)) return &voice->settings;
  const std::optional<std::size_t> index = IndexOf(channel, kStreamTag);
  if (!index || *index >= streams_.size() || streams_[*index] == nullptr) return nullptr;
  return &streams_[*index]->settings;
}

int AudioMixer::ChooseVoice(const Sample& sample) {
  for (const VoiceState wanted : {VoiceState::kIdle, VoiceState::kReady}) {
    for (int i = 0; i < kPlaybacksPerSample; ++i) {
      if (sample.voices[static_cast<std::size_t>(i)].state == wanted) return i;
    }
  }
  int longest = 0;
  for (int i = 1; i < kPlaybacksPerSample; ++i) {
    if (sample.voices[static_cast<std::size_t>(i)].position >
        sample.voices[static_cast<std::size_t>(longest)].position) {
      longest = i;
    }
  }
  return longest;
}

AudioHandle AudioMixer::SampleChannel(AudioHandle sample) {
  const std::lock_guard lock(lock_);
  const std::optional<std::size_t> index = IndexOf(sample, kSampleTag);
  if (!index || *index >= samples_.size()) return 0;
  Sample& chosen = *samples_[*index];
  const auto slot = static_cast<std::size_t>(ChooseVoice(chosen));
  Voice& voice = chosen.voices[slot];
  ++voice.generation;
  voice.state = VoiceState::kReady;
  voice.position = 0;
  voice.settings = ChannelSettings(chosen.sound.sampleRate);
  return ChannelHandle(*index, slot, voice.generation);
}

std::optional<ChannelAttributes> AudioMixer::GetAttributes(AudioHandle channel) const {
  const std::lock_guard lock(lock_);
  const ChannelSettings* settings = SettingsOf(channel);
  if (settings == nullptr) return std::nullopt;
  return settings->Attributes();
}

bool AudioMixer::SetAttributes(AudioHandle channel, const ChannelAttributes& attributes) {
  const std::lock_guard lock(lock_);
  ChannelSettings* settings = SettingsOf(channel);
  if (settings == nullptr) return false;
  settings->Set(attributes);
  return true;
}

bool AudioMixer::Play(AudioHandle channel, bool fromStart) {
  std::shared_ptr<StreamChannel> stream;
  {
    const std::lock_guard lock(lock_);
    if (Voice* voice = FindVoice(channel)) {
      const std::size_t frames = samples_[VoiceOf(channel)->sample]->sound.FrameCount();
      if (fromStart || (voice->position >> kPositionFractionBits) >= frames) voice->position = 0;
      voice->state = VoiceState::kPlaying;
      return true;
    }
    stream = FindStream(channel);
    if (stream == nullptr) return false;
    if (!fromStart) {
      stream->playing = true;
      return true;
    }
    stream->playing = false;
  }
  // Decoding the start again happens outside the lock, so that the audio thread goes on.
  stream->Rewind();
  const std::lock_guard lock(lock_);
  stream->playing = true;
  return true;
}

bool AudioMixer::IsPlaying(AudioHandle channel) const {
  const std::lock_guard lock(lock_);
  if (const Voice* voice = FindVoice(channel)) return voice->state == VoiceState::kPlaying;
  const std::shared_ptr<StreamChannel> stream = FindStream(channel);
  return stream != nullptr && stream->playing;
}

bool AudioMixer::Stop(AudioHandle channel) {
  const std::lock_guard lock(lock_);
  if (Voice* voice = FindVoice(channel)) {
    voice->state = VoiceState::kIdle;
    return true;
  }
  const std::shared_ptr<StreamChannel> stream = FindStream(channel);
  if (stream == nullptr) return false;
  stream->playing = false;
  return true;
}

void AudioMixer::Pause() {
  const std::lock_guard lock(lock_);
  paused_ = true;
}

void AudioMixer::Resume() {
  const std::lock_guard lock(lock_);
  paused_ = false;
}

void AudioMixer::RefillStreams() {
  std::vector<std::shared_ptr<StreamChannel>> playing;
  {
    const std::lock_guard lock(lock_);
    for (const auto& stream : streams_) {
      if (stream != nullptr && stream->playing) playing.push_back(stream);
    }
  }
  for (const auto& stream : playing) stream->Refill();
}

void AudioMixer::Mix(std::span<std::int16_t> out) {
  const std::lock_guard lock(lock_);
  if (paused_) {
    std::fill(out.begin(), out.end(), std::int16_t{0});
    return;
  }
  const std::size_t totalFrames = out.size() / 2;
  for (std::size_t done = 0; done < totalFrames; done += kMixChunkFrames) {
    const std::size_t frames = std::min(kMixChunkFrames, totalFrames - done);
    std::fill(mixBuffer_.begin(), mixBuffer_.end(), 0.0f);
    MixChunk(mixBuffer_.data(), frames);
    for (std::size_t i = 0; i < 2 * frames; ++i) {
      const float value = std::clamp(std::nearbyint(mixBuffer_[i]), -32768.0f, 32767.0f);
      out[2 * done + i] = static_cast<std::int16_t>(value);
    }
  }
  if (out.size() % 2 != 0) out.back() = 0;
}

void AudioMixer::MixChunk(float* mix, std::size_t frames) {
  for (const auto& sample : samples_) {
    const DecodedSound& sound = sample->sound;
    const auto channels = static_cast<std::size_t>(sound.channels);
    const auto frameAt = [&sound, channels](std::uint64_t i) {
      return sound.frames.data() + i * channels;
    };
    for (Voice& voice : sample->voices) {
      if (voice.state != VoiceState::kPlaying) continue;
      const std::size_t produced =
          MixInterpolated(frameAt, sound.FrameCount(), true, sound.channels, voice.position,
                          voice.settings, mix, frames);
      if (produced < frames) voice.state = VoiceState::kIdle;
    }
  }
  for (const auto& stream : streams_) {
    if (stream == nullptr || !stream->playing) continue;
    if (!stream->MixInto(mix, frames)) stream->playing = false;
  }
}

}  // namespace ox::platform
