#include "platform/audio/audio_virtual_time.h"

#include <algorithm>
#include <array>

namespace ox::platform {

void MixVirtualFrames(AudioMixer& mixer, std::size_t frames, AudioCapture* capture) {
  // Small blocks with a refill before each keep every stream's ring ahead of the mix, even for
  // a source played at many times the output rate.
  constexpr std::size_t kBlockFrames = 1024;
  std::array<std::int16_t, 2 * kBlockFrames> block{};
  for (std::size_t done = 0; done < frames; done += kBlockFrames) {
    const std::size_t count = std::min(kBlockFrames, frames - done);
    const std::span<std::int16_t> out(block.data(), 2 * count);
    mixer.RefillStreams();
    mixer.Mix(out);
    if (capture != nullptr) capture->Append(out);
  }
}

}  // namespace ox::platform
