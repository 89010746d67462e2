// Where the mixed sound goes in real time. An SDL audio device plays it; when none opens (no
// sound card, as on build machines) a null output mixes it into nothing at the same pace, so
// that sounds start, end and loop as they would with speakers. Either way the output decodes
// streams ahead on a thread of its own. The mixer must outlive the output.
#pragma once

#include <memory>

#include "platform/audio/audio_mixer.h"

namespace ox::platform {

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // True when sound reaches a device, false for the null output.
  virtual bool HasDevice() const = 0;
};

// The default SDL audio device at 44,100 Hz, 16-bit stereo; else the null output, with one
// log line saying so. Never fails.
std::unique_ptr<AudioOutput> OpenAudioOutput(AudioMixer& mixer);

// The SDL device alone; nullptr when it does not open.
std::unique_ptr<AudioOutput> OpenSdlAudioOutput(AudioMixer& mixer);
std::unique_ptr<AudioOutput> OpenNullAudioOutput(AudioMixer& mixer);

}  // namespace ox::platform
