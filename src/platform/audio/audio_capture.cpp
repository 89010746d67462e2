#include "platform/audio/audio_capture.h"

#include "platform/audio/audio.h"
#include "platform/core/log.h"
#include "platform/files/atomic_file.h"

namespace ox::platform {
namespace {

constexpr std::uint64_t kHeaderBytes = 44;
constexpr std::uint64_t kMaxDataBytes = 0xFFFFFFFFu - (kHeaderBytes - 8);

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

}  // namespace

void AudioCapture::Append(std::span<const std::int16_t> frames) {
  const std::uint64_t room = kMaxDataBytes / 4 * 2 - values_.size();
  if (frames.size() > room) {
    if (!full_) LogLine("captured sound is longer than a WAV file can hold; the rest is dropped");
    full_ = true;
    frames = frames.first(static_cast<std::size_t>(room));
  }
  values_.insert(values_.end(), frames.begin(), frames.end());
}

std::string AudioCapture::WavBytes() const {
  constexpr std::uint32_t kChannels = 2;
  constexpr std::uint32_t kBytesPerFrame = kChannels * 2;
  const auto dataBytes = static_cast<std::uint32_t>(values_.size() * 2);
  std::string out;
  out.reserve(kHeaderBytes + dataBytes);
  out += "RIFF";
  PutLe(out, dataBytes + static_cast<std::uint32_t>(kHeaderBytes - 8), 4);
  out += "WAVEfmt ";
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // integer PCM
  PutLe(out, kChannels, 2);
  PutLe(out, static_cast<std::uint32_t>(kMixRate), 4);
  PutLe(out, static_cast<std::uint32_t>(kMixRate) * kBytesPerFrame, 4);
  PutLe(out, kBytesPerFrame, 2);
  PutLe(out, 16, 2);
  out += "data";
  PutLe(out, dataBytes, 4);
  for (const std::int16_t value : values_) PutLe(out, static_cast<std::uint16_t>(value), 2);
  return out;
}

bool AudioCapture::WriteWav(const std::filesystem::path& file) const {
  return WriteFileAtomically(file, WavBytes());
}

}  // namespace ox::platform
