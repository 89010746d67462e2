// The sound side of the player: the mixer, its output (a sound device, or, headless, mixing in
// virtual time with an optional capture for --audio-out) and the sound store the game's
// scripts play through.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "media/sound_store.h"
#include "platform/audio/audio_capture.h"
#include "platform/audio/audio_mixer.h"
#include "platform/audio/audio_output.h"
#include "scene/game_root.h"

namespace ox::shell {

class AudioSystem {
 public:
  // Plays through the sound device, or in real time to nowhere when none opens.
  static std::unique_ptr<AudioSystem> RealTime();
  // Mixes only when Tick is called; keeps what it mixed when `capture` is set.
  static std::unique_ptr<AudioSystem> Headless(bool capture);
  ~AudioSystem();

  // Opens the store on the loaded game and connects the root's sound calls to it.
  void Connect(scene::TOxDB& root, media::ArchiveRecordReader archive, std::function<void()> resetTimer);
  media::SoundStore* Store() { return store_.get(); }
  // One game tick of sound in virtual time.
  void Tick();
  void Pause() { mixer_.Pause(); }
  void Resume() { mixer_.Resume(); }
  // Writes the captured sound as WAV; false when nothing was captured or the write failed.
  bool WriteCapture(const std::string& path) const;

 private:
  AudioSystem() = default;

  // Members in the order of creation; they are destroyed the other way round.
  platform::AudioMixer mixer_;
  std::unique_ptr<platform::AudioOutput> output_;
  std::optional<platform::AudioCapture> capture_;
  bool virtualTime_ = false;
  std::unique_ptr<media::SoundStore> store_;
};

}  // namespace ox::shell
