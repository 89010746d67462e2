// The sound of a headless run: every mixed block is kept in memory and written at the end as one
// WAV file (PCM, 44,100 Hz, 16-bit stereo). A WAV file holds at most 4 GiB of sound data (about
// 6 hours 45 minutes); blocks beyond that are dropped, with one log line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace ox::platform {

class AudioCapture {
 public:
  // Interleaved stereo frames, two values each.
  void Append(std::span<const std::int16_t> frames);
  std::size_t FrameCount() const { return values_.size() / 2; }

  // The complete file: a 44-byte header and the data, little-endian.
  std::string WavBytes() const;
  // Written atomically; false, with a log line, when that fails.
  bool WriteWav(const std::filesystem::path& file) const;

 private:
  std::vector<std::int16_t> values_;
  bool full_ = false;
};

}  // namespace ox::platform
