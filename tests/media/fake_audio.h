// An audio layer that only records what the sound store asks of it. A sound "decodes" unless
// its bytes begin with "bad"; channels play until the test says otherwise.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/audio/audio.h"
#include "platform/files/read_file.h"

namespace ox::media::testing {

class FakeAudio final : public platform::Audio {
 public:
  struct Channel {
    platform::ChannelAttributes attributes{22050, 100, 0};
    bool playing = false;
    int playsFromStart = 0;
    int plays = 0;
    int stops = 0;
    std::vector<std::int32_t> volumes;  // every volume set, in order
  };

  platform::AudioHandle LoadSample(const std::filesystem::path& file) override {
    return FromFile("sample", file);
  }
  platform::AudioHandle LoadSample(std::span<const std::uint8_t> bytes) override {
    return FromMemory("sample", bytes);
  }
  platform::AudioHandle CreateStream(const std::filesystem::path& file) override {
    return AddChannel(FromFile("stream", file));
  }
  platform::AudioHandle CreateStream(std::span<const std::uint8_t> bytes) override {
    const platform::AudioHandle stream = AddChannel(FromMemory("stream", bytes));
    if (stream != 0) streamMemory[stream] = bytes;
    return stream;
  }
  void FreeStream(platform::AudioHandle stream) override { freed.push_back(stream); }

  platform::AudioHandle SampleChannel(platform::AudioHandle sample) override {
    const platform::AudioHandle channel = AddChannel(next_++);
    channelSample[channel] = sample;
    return channel;
  }
  std::optional<platform::ChannelAttributes> GetAttributes(
      platform::AudioHandle channel) const override {
    const auto found = channels.find(channel);
    if (found == channels.end()) return std::nullopt;
    return found->second.attributes;
  }
  bool SetAttributes(platform::AudioHandle channel,
                     const platform::ChannelAttributes& attributes) override {
    const auto found = channels.find(channel);
    if (found == channels.end()) return false;
    found->second.attributes = attributes;
    found->second.volumes.push_back(attributes.volume);
    return true;
  }
  bool Play(platform::AudioHandle channel, bool fromStart) override {
    const auto found = channels.find(channel);
    if (found == channels.end()) return false;
    found->second.playing = true;
    ++(fromStart ? found->second.playsFromStart : found->second.plays);
    return true;
  }
  bool IsPlaying(platform::AudioHandle channel) const override {
    const auto found = channels.find(channel);
    return found != channels.end() && found->second.playing;
  }
  bool Stop(platform::AudioHandle channel) override {
    const auto found = channels.find(channel);
    if (found == channels.end()) return false;
    found->second.playing = false;
    ++found->second.stops;
    return true;
  }
  void Pause() override {}
  void Resume() override {}

  std::vector<std::string> loads;  // "sample SOURCE" or "stream SOURCE": a file name or "memory"
  std::map<platform::AudioHandle, Channel> channels;
  std::map<platform::AudioHandle, platform::AudioHandle> channelSample;
  std::map<platform::AudioHandle, std::span<const std::uint8_t>> streamMemory;
  std::vector<platform::AudioHandle> freed;

 private:
  platform::AudioHandle FromFile(const std::string& kind, const std::filesystem::path& file) {
    loads.push_back(kind + " " + file.filename().string());
    const std::optional<std::string> bytes = platform::ReadWholeFile(file);
    return bytes && bytes->rfind("bad", 0) != 0 ? next_++ : 0;
  }
  platform::AudioHandle FromMemory(const std::string& kind, std::span<const std::uint8_t> bytes) {
    loads.push_back(kind + " memory");
    const bool bad = bytes.size() >= 3 && bytes[0] == 'b' && bytes[1] == 'a' && bytes[2] == 'd';
    return bad ? 0 : next_++;
  }
  platform::AudioHandle AddChannel(platform::AudioHandle handle) {
    if (handle != 0) channels[handle];
    return handle;
  }

  platform::AudioHandle next_ = 1;
};

}  // namespace ox::media::testing
