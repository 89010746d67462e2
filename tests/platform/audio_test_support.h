// Fixture sounds and small helpers shared by the audio tests. The fixtures were made with an
// independent tool: constant levels (16384 is half of full scale) and 440 Hz tones.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <vector>

#include "platform/audio/audio_mixer.h"

namespace ox::platform::testing {

inline std::filesystem::path Fixture(const char* name) {
  return std::filesystem::path(OX_TEST_DATA) / name;
}

inline std::vector<std::uint8_t> FixtureBytes(const char* name) {
  std::ifstream in(Fixture(name), std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
}

// The next `frames` frames of the mixer's output, interleaved stereo.
inline std::vector<std::int16_t> MixFrames(AudioMixer& mixer, std::size_t frames) {
  std::vector<std::int16_t> out(2 * frames, 1234);
  mixer.RefillStreams();
  mixer.Mix(out);
  return out;
}

// Frames in which either side is not silent.
inline std::size_t AudibleFrames(std::span<const std::int16_t> stereo) {
  std::size_t count = 0;
  for (std::size_t i = 0; i + 1 < stereo.size(); i += 2)
    count += (stereo[i] != 0 || stereo[i + 1] != 0) ? 1 : 0;
  return count;
}

}  // namespace ox::platform::testing
