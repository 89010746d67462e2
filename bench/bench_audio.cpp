// The mixer's cost: 32 sample voices and 2 looping streams (one OGG, one MP3) mixed for 60 s of
// sound, streams decoded on the same thread as in a headless run. "cpu_share_percent" is the
// CPU time spent divided by the 60 s of sound; the player's budget is 5 % of one core.
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/audio/audio_mixer.h"
#include "platform/audio/audio_virtual_time.h"

namespace {

using ox::platform::AudioHandle;
using ox::platform::AudioMixer;

std::filesystem::path SoundFile(const char* name) {
  return std::filesystem::path(__FILE__).parent_path().parent_path() / "tests" / "platform" /
         "data" / name;
}

std::vector<std::uint8_t> SoundBytes(const char* name) {
  std::ifstream in(SoundFile(name), std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Sixteen samples, half at the mix rate in stereo and half at 22,050 Hz in mono, two voices
// each; a voice that ends is started again at once, so 32 play all the time.
class SampleLoad {
 public:
  explicit SampleLoad(AudioMixer& mixer) : mixer_(mixer) {
    for (int i = 0; i < 16; ++i) {
      const AudioHandle sample =
          mixer.LoadSample(SoundFile(i % 2 == 0 ? "tone_44100_stereo.ogg" : "tone_22050_mono.ogg"));
      for (int voice = 0; voice < 2; ++voice) voices_.push_back({sample, 0});
    }
    KeepPlaying();
  }

  void KeepPlaying() {
    for (Voice& voice : voices_) {
      if (voice.channel != 0 && mixer_.IsPlaying(voice.channel)) continue;
      voice.channel = mixer_.SampleChannel(voice.sample);
      if (auto attributes = mixer_.GetAttributes(voice.channel)) {
        attributes->volume = 20;
        mixer_.SetAttributes(voice.channel, *attributes);
      }
      mixer_.Play(voice.channel, false);
    }
  }

 private:
  struct Voice {
    AudioHandle sample;
    AudioHandle channel;
  };
  AudioMixer& mixer_;
  std::vector<Voice> voices_;
};

void BM_MixSixtySeconds(benchmark::State& state) {
  constexpr int kTicks = 60 * 30;
  const std::vector<std::uint8_t> music = SoundBytes("tone_44100_stereo.ogg");
  double cpuSeconds = 0.0;
  for (auto _ : state) {
    AudioMixer mixer;
    SampleLoad samples(mixer);
    const AudioHandle oggStream = mixer.CreateStream(music);
    const AudioHandle mp3Stream = mixer.CreateStream(SoundFile("tone_22050_mono.mp3"));
    mixer.Play(oggStream, true);
    mixer.Play(mp3Stream, true);
    const double start = ThreadCpuSeconds();
    for (int tick = 0; tick < kTicks; ++tick) {
      ox::platform::MixVirtualFrames(mixer, ox::platform::kAudioFramesPerTick, nullptr);
      samples.KeepPlaying();
    }
    cpuSeconds += ThreadCpuSeconds() - start;
    benchmark::DoNotOptimize(mixer.IsPlaying(oggStream));
  }
  state.counters["cpu_share_percent"] =
      benchmark::Counter(100.0 * cpuSeconds / (60.0 * static_cast<double>(state.iterations())));
}
BENCHMARK(BM_MixSixtySeconds)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
