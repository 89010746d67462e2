#include "platform/audio/audio_output.h"

#include "platform/core/log.h"

namespace ox::platform {

std::unique_ptr<AudioOutput> OpenAudioOutput(AudioMixer& mixer) {
  if (std::unique_ptr<AudioOutput> device = OpenSdlAudioOutput(mixer)) return device;
  LogLine("no audio device opened; sounds play silently");
  return OpenNullAudioOutput(mixer);
}

}  // namespace ox::platform
