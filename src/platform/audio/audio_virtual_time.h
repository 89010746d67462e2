// Sound in virtual time, for headless runs: instead of a device pulling sound in real time, the
// frame loop mixes exactly 1/30 s of it once per game tick, on its own thread and with the
// streams decoded ahead right before, so every run of the same game gives the same sound.
#pragma once

#include <cstddef>

#include "platform/audio/audio_capture.h"
#include "platform/audio/audio_mixer.h"

namespace ox::platform {

inline constexpr std::size_t kAudioFramesPerTick = kMixRate / 30;

// Mixes `frames` frames now and appends them to the capture, when there is one.
void MixVirtualFrames(AudioMixer& mixer, std::size_t frames, AudioCapture* capture);

}  // namespace ox::platform
