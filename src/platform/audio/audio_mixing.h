// The arithmetic of mixing one channel: its attributes turned into per-side gains and a
// playback step, and the inner loop that adds a channel's frames to the stereo mix, reading
// between source frames by linear interpolation.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "platform/audio/audio.h"

namespace ox::platform {

// Playback positions are source frames in 32.32 fixed point.
inline constexpr int kPositionFractionBits = 32;

struct Gains {
  float left = 1.0f;
  float right = 1.0f;
};

// A channel's attributes together with what the mixing loop derives from them.
class ChannelSettings {
 public:
  explicit ChannelSettings(std::int32_t sourceRate) { Set({sourceRate, 100, 0}); }

  const ChannelAttributes& Attributes() const { return attributes_; }
  std::uint64_t Step() const { return step_; }
  Gains GainsOf() const { return gains_; }

  // Clamps volume and pan; a frequency outside the accepted range keeps the current one.
  void Set(const ChannelAttributes& wanted) {
    if (wanted.frequency >= kMinFrequency && wanted.frequency <= kMaxFrequency) {
      attributes_.frequency = wanted.frequency;
    }
    attributes_.volume = std::clamp(wanted.volume, 0, 100);
    attributes_.pan = std::clamp(wanted.pan, -100, 100);
    step_ = (static_cast<std::uint64_t>(attributes_.frequency) << kPositionFractionBits) /
            static_cast<std::uint64_t>(kMixRate);
    const float level = static_cast<float>(attributes_.volume) / 100.0f;
    const float pan = static_cast<float>(attributes_.pan) / 100.0f;
    gains_.left = level * (pan > 0.0f ? 1.0f - pan : 1.0f);
    gains_.right = level * (pan < 0.0f ? 1.0f + pan : 1.0f);
  }

 private:
  ChannelAttributes attributes_;
  std::uint64_t step_ = 0;
  Gains gains_;
};

// Adds up to `frames` output frames of one channel to `mix` (interleaved stereo). The source
// has `available` frames of `channels` values each, frameAt(i) pointing at frame i; reading
// between frames i and i + 1 needs both, except when `final` says no frame will follow, in
// which case the last frame stands on its own. Advances `position` and returns the number of
// frames produced, fewer than asked when the source ran out.
template <typename FrameAt>
std::size_t MixInterpolated(FrameAt frameAt, std::uint64_t available, bool final, int channels,
                            std::uint64_t& position, const ChannelSettings& settings, float* mix,
                            std::size_t frames) {
  constexpr float kFractionScale = 1.0f / 4294967296.0f;
  const std::uint64_t step = settings.Step();
  const Gains gains = settings.GainsOf();
  std::size_t produced = 0;
  for (; produced < frames; ++produced) {
    const std::uint64_t index = position >> kPositionFractionBits;
    const bool hasNext = index + 1 < available;
    if (index >= available || (!hasNext && !final)) break;
    const std::int16_t* a = frameAt(index);
    const std::int16_t* b = hasNext ? frameAt(index + 1) : a;
    const float t = static_cast<float>(position & 0xFFFFFFFFu) * kFractionScale;
    const float left = static_cast<float>(a[0]) + static_cast<float>(b[0] - a[0]) * t;
    const float right =
        channels == 1 ? left : static_cast<float>(a[1]) + static_cast<float>(b[1] - a[1]) * t;
    mix[2 * produced] += left * gains.left;
    mix[2 * produced + 1] += right * gains.right;
    position += step;
  }
  return produced;
}

}  // namespace ox::platform
