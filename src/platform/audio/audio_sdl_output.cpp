#include <SDL.h>

#include "platform/audio/audio_feeder.h"
#include "platform/audio/audio_output.h"

namespace ox::platform {
namespace {

class SdlAudioOutput final : public AudioOutput {
 public:
  SdlAudioOutput(AudioMixer& mixer, SDL_AudioDeviceID device)
      : device_(device),
        feeder_(std::chrono::milliseconds(10), [&mixer] { mixer.RefillStreams(); }) {
    SDL_PauseAudioDevice(device_, 0);
  }
  ~SdlAudioOutput() override {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  bool HasDevice() const override { return true; }

  // On SDL's audio thread.
  static void Fill(void* mixer, Uint8* stream, int bytes) {
    auto* frames = reinterpret_cast<std::int16_t*>(stream);
    static_cast<AudioMixer*>(mixer)->Mix(
        std::span<std::int16_t>(frames, static_cast<std::size_t>(bytes) / 2));
  }

 private:
  SDL_AudioDeviceID device_;
  PeriodicThread feeder_;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenSdlAudioOutput(AudioMixer& mixer) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  SDL_AudioSpec wanted{};
  wanted.freq = kMixRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = 1024;
  wanted.callback = &SdlAudioOutput::Fill;
  wanted.userdata = &mixer;
  SDL_AudioSpec obtained{};
  // No changes allowed: SDL converts to whatever the hardware takes.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  return std::make_unique<SdlAudioOutput>(mixer, device);
}

}  // namespace ox::platform
