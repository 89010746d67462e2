// The sound store: short sounds played as samples and music played as looping streams, by
// name. A name is looked for as a file under "\sounds\" in the game folder, else as the record
// "sounds\" + name of the resource archive. Every name is loaded at most once and kept for the
// whole run, a failed one too: it plays silently every time and is never looked for again.
// Music volumes fade once per game tick: a fade-in or a change of volume takes 60 ticks, a
// fade-out 30. The sound and music volumes ("VOLSND", default 100, and "VOLMUZ", default 50,
// in percent) scale every sample and every music volume. Names are compared upper-cased.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/audio/audio.h"
#include "platform/files/game_files.h"

namespace ox::media {

// The bytes of the resource archive's record of that name, or nothing when there is no such
// record (or no archive).
using ArchiveRecordReader =
    std::function<std::optional<std::vector<std::uint8_t>>(const std::string& name)>;

class SoundStore {
 public:
  struct SampleEntry {
    std::string name;
    platform::AudioHandle handle = 0;  // 0: loading failed
  };

  struct MusicEntry {
    std::string name;
    platform::AudioHandle handle = 0;  // 0: loading failed
    double level = 0.0;                // current volume factor, 0 to 1, times the music volume
    double step = 0.0;                 // change of level per tick; 0 when not fading
    double target = 0.0;               // the level at which the fade ends
  };

  // The audio layer must outlive the store. resetFrameTimer (may be empty) runs after every
  // new sample name was looked for, so the time spent loading causes no catch-up ticks.
  SoundStore(platform::Audio& audio, const platform::GameFiles& files, ArchiveRecordReader archive,
             std::function<void()> resetFrameTimer);
  // Frees the music streams, some of which play from memory the store holds.
  ~SoundStore();
  SoundStore(const SoundStore&) = delete;
  SoundStore& operator=(const SoundStore&) = delete;

  std::int32_t SoundVolume() const { return soundVolume_; }
  void SetSoundVolume(std::int32_t percent) { soundVolume_ = percent; }
  std::int32_t MusicVolume() const { return musicVolume_; }
  void SetMusicVolume(std::int32_t percent) { musicVolume_ = percent; }
  // After a script changed the music volume: the first music that is playing takes it at once;
  // the others follow on the next StepMusicFades.
  void ApplyMusicVolume();

  // Find or load by upper-case name; 0 when the sound exists nowhere or does not decode.
  platform::AudioHandle GetSample(const std::string& name);
  platform::AudioHandle GetMusic(const std::string& name);

  // One shot at the sound volume x volumePercent / 100. When the name itself is not found,
  // the same name with the extension "OGG" is tried, already on the first request.
  void PlaySample(std::string_view name, std::int32_t volumePercent);
  // Starts the music with a fade-in to volumePercent, or, when it is playing already, fades it
  // to the new volume from where it is. Other music goes on (FadeOutMusic ends it).
  void PlayMusic(std::string_view name, std::int32_t volumePercent);
  // Fades every music to silence and stops it.
  void FadeOutMusic();
  // One game tick of every fade; sets the volume of every playing music.
  void StepMusicFades();

  const std::vector<SampleEntry>& Samples() const { return samples_; }
  const std::deque<MusicEntry>& Music() const { return music_; }

 private:
  std::optional<std::vector<std::uint8_t>> ArchiveRecord(const std::string& name) const;
  MusicEntry* FindPlayableMusic(const std::string& name, const std::string& fallback);
  void SetVolume(platform::AudioHandle channel, std::int32_t volume);
  void SetMusicChannelVolume(const MusicEntry& entry);

  platform::Audio& audio_;
  const platform::GameFiles& files_;
  ArchiveRecordReader archive_;
  std::function<void()> resetFrameTimer_;
  std::int32_t soundVolume_ = 100;
  std::int32_t musicVolume_ = 50;
  std::vector<SampleEntry> samples_;
  std::deque<MusicEntry> music_;
  std::deque<std::vector<std::uint8_t>> musicRecords_;  // archive records that streams play from
};

}  // namespace ox::media
