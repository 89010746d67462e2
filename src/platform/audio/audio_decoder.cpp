#include "platform/audio/audio_decoder.h"

#include <array>
#include <cstring>

#include "platform/audio/mp3_decoder.h"
#include "platform/audio/ogg_decoder.h"
#include "platform/audio/wav_decoder.h"

namespace ox::platform {

std::unique_ptr<AudioDecoder> OpenAudioDecoder(std::unique_ptr<ByteSource> source) {
  if (source == nullptr) return nullptr;
  std::array<char, 12> head{};
  const std::size_t got = source->Read(head.data(), head.size());
  if (!source->Seek(0)) return nullptr;
  if (got == head.size() && std::memcmp(head.data(), "RIFF", 4) == 0 &&
      std::memcmp(head.data() + 8, "WAVE", 4) == 0) {
    return OpenWavDecoder(std::move(source));
  }
  if (got >= 4 && std::memcmp(head.data(), "OggS", 4) == 0)
    return OpenOggDecoder(std::move(source));
  return OpenMp3Decoder(std::move(source));
}

std::optional<DecodedSound> DecodeWhole(AudioDecoder& decoder) {
  constexpr std::size_t kChunkFrames = 8192;
  DecodedSound sound;
  sound.sampleRate = decoder.SampleRate();
  sound.channels = decoder.Channels();
  const auto channels = static_cast<std::size_t>(sound.channels);
  std::size_t frameCount = 0;
  for (;;) {
    sound.frames.resize((frameCount + kChunkFrames) * channels);
    const std::size_t got = decoder.Read(sound.frames.data() + frameCount * channels, kChunkFrames);
    frameCount += got;
    if (got == 0 || frameCount > kMaxSampleFrames) break;
  }
  if (frameCount == 0 || frameCount > kMaxSampleFrames) return std::nullopt;
  sound.frames.resize(frameCount * channels);
  sound.frames.shrink_to_fit();
  return sound;
}

}  // namespace ox::platform
