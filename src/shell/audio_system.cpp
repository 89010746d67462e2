#include "shell/audio_system.h"

#include "platform/audio/audio_virtual_time.h"
#include "scene/scene_state.h"

namespace ox::shell {

std::unique_ptr<AudioSystem> AudioSystem::RealTime() {
  std::unique_ptr<AudioSystem> audio(new AudioSystem());
  audio->output_ = platform::OpenAudioOutput(audio->mixer_);
  return audio;
}

std::unique_ptr<AudioSystem> AudioSystem::Headless(bool capture) {
  std::unique_ptr<AudioSystem> audio(new AudioSystem());
  audio->virtualTime_ = true;
  if (capture) audio->capture_.emplace();
  return audio;
}

AudioSystem::~AudioSystem() {
  store_.reset();
  output_.reset();
}

void AudioSystem::Connect(scene::TOxDB& root, media::ArchiveRecordReader archive,
                          std::function<void()> resetTimer) {
  store_ = std::make_unique<media::SoundStore>(mixer_, root.GameData(), std::move(archive), std::move(resetTimer));
  store_->SetSoundVolume(scene::Scene().soundVolume);
  store_->SetMusicVolume(scene::Scene().musicVolume);
  media::SoundStore& store = *store_;
  auto& services = root.Services();
  services.playSample = [&store](const std::string& file, std::int32_t volume) { store.PlaySample(file, volume); };
  services.playMusic = [&store](const std::string& file, std::int32_t volume) { store.PlayMusic(file, volume); };
  services.fadeOutMusic = [&store] { store.FadeOutMusic(); };
  services.stepMusicFades = [&store] { store.StepMusicFades(); };
  services.setSoundVolume = [&store](std::int32_t v) { store.SetSoundVolume(v); };
  services.setMusicVolume = [&store](std::int32_t v) {
    store.SetMusicVolume(v);
    store.ApplyMusicVolume();
  };
}

void AudioSystem::Tick() {
  if (virtualTime_) platform::MixVirtualFrames(mixer_, platform::kAudioFramesPerTick, capture_ ? &*capture_ : nullptr);
}

bool AudioSystem::WriteCapture(const std::string& path) const { return capture_ && capture_->WriteWav(path); }

}  // namespace ox::shell
