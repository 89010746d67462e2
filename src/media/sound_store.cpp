#include "media/sound_store.h"

#include <algorithm>
#include <cmath>

#include "platform/text/case1251.h"

namespace ox::media {
namespace {

constexpr double kFadeInTicks = 60.0;
constexpr double kFadeOutTicks = 30.0;

// The name with its last three characters replaced by "OGG" ("CLICK.WAV" gives "CLICK.OGG").
std::string OggFallback(const std::string& name) {
  return name.substr(0, name.size() >= 3 ? name.size() - 3 : 0) + "OGG";
}

std::string LooseFileName(const std::string& name) { return "\\sounds\\" + name; }
std::string ArchiveRecordName(const std::string& name) { return "sounds\\" + name; }

// The layer takes volumes 0..100; clamping first also keeps the conversion defined.
std::int32_t MusicChannelVolume(double volume) {
  if (!(volume > 0.0)) return 0;
  if (volume >= 100.0) return 100;
  return static_cast<std::int32_t>(std::nearbyint(volume));  // halves to even
}

}  // namespace

SoundStore::SoundStore(platform::Audio& audio, const platform::GameFiles& files,
                       ArchiveRecordReader archive, std::function<void()> resetFrameTimer)
    : audio_(audio),
      files_(files),
      archive_(std::move(archive)),
      resetFrameTimer_(std::move(resetFrameTimer)) {}

SoundStore::~SoundStore() {
  for (const MusicEntry& entry : music_) {
    if (entry.handle != 0) audio_.FreeStream(entry.handle);
  }
}

std::optional<std::vector<std::uint8_t>> SoundStore::ArchiveRecord(const std::string& name) const {
  if (!archive_) return std::nullopt;
  return archive_(ArchiveRecordName(name));
}

platform::AudioHandle SoundStore::GetSample(const std::string& name) {
  for (const SampleEntry& entry : samples_) {
    if (entry.name == name) return entry.handle;
  }
  platform::AudioHandle handle = 0;
  if (files_.Exists(LooseFileName(name))) {
    if (const auto path = files_.Resolve(LooseFileName(name))) handle = audio_.LoadSample(*path);
  } else if (const auto record = ArchiveRecord(name)) {
    handle = audio_.LoadSample(*record);
  }
  samples_.push_back({name, handle});
  if (resetFrameTimer_) resetFrameTimer_();
  return handle;
}

platform::AudioHandle SoundStore::GetMusic(const std::string& name) {
  for (const MusicEntry& entry : music_) {
    if (entry.name == name) return entry.handle;
  }
  platform::AudioHandle handle = 0;
  if (files_.Exists(LooseFileName(name))) {
    if (const auto path = files_.Resolve(LooseFileName(name))) handle = audio_.CreateStream(*path);
  } else if (auto record = ArchiveRecord(name)) {
    musicRecords_.push_back(std::move(*record));
    handle = audio_.CreateStream(musicRecords_.back());
    if (handle == 0) musicRecords_.pop_back();
  }
  music_.push_back({name, handle, 0.0, 0.0, 0.0});
  return handle;
}

void SoundStore::SetVolume(platform::AudioHandle channel, std::int32_t volume) {
  std::optional<platform::ChannelAttributes> attributes = audio_.GetAttributes(channel);
  if (!attributes) return;
  attributes->volume = volume;
  audio_.SetAttributes(channel, *attributes);
}

void SoundStore::SetMusicChannelVolume(const MusicEntry& entry) {
  SetVolume(entry.handle, MusicChannelVolume(static_cast<double>(musicVolume_) * entry.level));
}

void SoundStore::PlaySample(std::string_view name, std::int32_t volumePercent) {
  const std::string upper = platform::UpperAscii(std::string(name));
  const std::string fallback = OggFallback(upper);
  platform::AudioHandle handle = 0;
  const auto known = std::find_if(samples_.begin(), samples_.end(), [&](const SampleEntry& entry) {
    return entry.name == upper || entry.name == fallback;
  });
  if (known != samples_.end()) handle = known->handle;
  if (handle == 0) handle = GetSample(upper);
  if (handle == 0) handle = GetSample(fallback);
  if (handle == 0) return;
  const platform::AudioHandle channel = audio_.SampleChannel(handle);
  const std::int64_t volume = std::int64_t{soundVolume_} * volumePercent / 100;
  SetVolume(channel, static_cast<std::int32_t>(std::clamp<std::int64_t>(volume, 0, 100)));
  audio_.Play(channel, false);
}

SoundStore::MusicEntry* SoundStore::FindPlayableMusic(const std::string& name,
                                                      const std::string& fallback) {
  for (MusicEntry& entry : music_) {
    if ((entry.name == name || entry.name == fallback) && entry.handle != 0) return &entry;
  }
  return nullptr;
}

void SoundStore::PlayMusic(std::string_view name, std::int32_t volumePercent) {
  const std::string upper = platform::UpperAscii(std::string(name));
  const std::string fallback = OggFallback(upper);
  if (FindPlayableMusic(upper, fallback) == nullptr && GetMusic(upper) == 0) GetMusic(fallback);
  MusicEntry* entry = FindPlayableMusic(upper, fallback);
  if (entry == nullptr) return;
  const double target = static_cast<double>(volumePercent) / 100.0;
  entry->target = target;
  entry->step = (target - entry->level) / kFadeInTicks;
  if (audio_.IsPlaying(entry->handle)) return;
  entry->level = 0.0;
  entry->step = target / kFadeInTicks;
  SetVolume(entry->handle, 0);
  audio_.Play(entry->handle, true);
}

void SoundStore::FadeOutMusic() {
  for (MusicEntry& entry : music_) {
    entry.target = 0.0;
    // Music that is already silent still has to stop: it gets a step that ends the fade on
    // the next tick.
    entry.step = entry.level > 0.0 ? entry.level / -kFadeOutTicks : -1.0 / kFadeOutTicks;
  }
}

void SoundStore::StepMusicFades() {
  for (MusicEntry& entry : music_) {
    if (entry.handle == 0 || !audio_.IsPlaying(entry.handle)) continue;
    entry.level += entry.step;
    if (entry.step > 0.0 && entry.level >= entry.target) {
      entry.step = 0.0;
      entry.level = entry.target;
    } else if (entry.step < 0.0 && entry.level <= entry.target) {
      entry.step = 0.0;
      entry.level = entry.target;
      if (entry.level == 0.0) audio_.Stop(entry.handle);
    }
    SetMusicChannelVolume(entry);
  }
}

void SoundStore::ApplyMusicVolume() {
  for (const MusicEntry& entry : music_) {
    if (entry.handle != 0 && audio_.IsPlaying(entry.handle)) {
      SetMusicChannelVolume(entry);
      return;
    }
  }
}

}  // namespace ox::media
