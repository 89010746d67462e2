#include <chrono>
#include <vector>

#include "platform/audio/audio_feeder.h"
#include "platform/audio/audio_output.h"

namespace ox::platform {
namespace {

// Mixes, every 10 ms, as many frames as the steady clock says have passed since the start, and
// drops them.
class NullAudioOutput final : public AudioOutput {
 public:
  explicit NullAudioOutput(AudioMixer& mixer)
      : mixer_(mixer),
        start_(std::chrono::steady_clock::now()),
        block_(2 * kBlockFrames),
        thread_(std::chrono::milliseconds(10), [this] { Advance(); }) {}

  bool HasDevice() const override { return false; }

 private:
  static constexpr std::size_t kBlockFrames = 1024;

  void Advance() {
    mixer_.RefillStreams();
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed);
    const auto rest = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed - seconds);
    const auto due = static_cast<std::uint64_t>(seconds.count()) * kMixRate +
                     static_cast<std::uint64_t>(rest.count()) * kMixRate / 1'000'000'000u;
    while (mixed_ < due) {
      const std::size_t frames =
          static_cast<std::size_t>(std::min<std::uint64_t>(due - mixed_, kBlockFrames));
      mixer_.Mix(std::span<std::int16_t>(block_.data(), 2 * frames));
      mixed_ += frames;
      if (frames == kBlockFrames) mixer_.RefillStreams();
    }
  }

  AudioMixer& mixer_;
  std::chrono::steady_clock::time_point start_;
  std::uint64_t mixed_ = 0;
  std::vector<std::int16_t> block_;
  PeriodicThread thread_;  // last: it runs Advance, which uses everything above
};

}  // namespace

std::unique_ptr<AudioOutput> OpenNullAudioOutput(AudioMixer& mixer) {
  return std::make_unique<NullAudioOutput>(mixer);
}

}  // namespace ox::platform
