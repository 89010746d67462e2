#include "platform/audio/wav_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace ox::platform {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMaxChannels = 64;

std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct WavFormat {
  std::uint16_t encoding = 0;  // kFormatPcm or kFormatFloat
  int channels = 0;
  std::int32_t sampleRate = 0;
  int bitsPerSample = 0;
  std::size_t blockAlign = 0;
};

// One sample of any supported encoding, scaled to the 16-bit range.
std::int32_t SampleAt(const std::uint8_t* p, const WavFormat& format) {
  if (format.encoding == kFormatFloat) {
    if (format.bitsPerSample == 32) {
      float value;
      std::memcpy(&value, p, sizeof value);
      return Sample16FromFloat(value);
    }
    double value;
    std::memcpy(&value, p, sizeof value);
    return Sample16FromFloat(static_cast<float>(value));
  }
  switch (format.bitsPerSample) {
    case 8:
      return (static_cast<std::int32_t>(p[0]) - 128) * 256;
    case 16:
      return static_cast<std::int16_t>(Le16(p));
    case 24:
      return static_cast<std::int16_t>(Le16(p + 1));
    default:
      return static_cast<std::int16_t>(Le16(p + 2));
  }
}

bool Supported(const WavFormat& f) {
  const bool pcm = f.encoding == kFormatPcm && (f.bitsPerSample == 8 || f.bitsPerSample == 16 ||
                                                f.bitsPerSample == 24 || f.bitsPerSample == 32);
  const bool floating =
      f.encoding == kFormatFloat && (f.bitsPerSample == 32 || f.bitsPerSample == 64);
  return (pcm || floating) && f.channels >= 1 && f.channels <= kMaxChannels &&
         f.sampleRate >= kMinFrequency && f.sampleRate <= kMaxFrequency &&
         f.blockAlign == static_cast<std::size_t>(f.channels * f.bitsPerSample / 8);
}

std::optional<WavFormat> ParseFormatChunk(ByteSource& source, std::uint32_t size) {
  std::array<std::uint8_t, 40> fmt{};
  if (size < 16) return std::nullopt;
  const std::size_t wanted = std::min<std::size_t>(size, fmt.size());
  if (source.Read(fmt.data(), wanted) != wanted) return std::nullopt;
  WavFormat format;
  format.encoding = Le16(fmt.data());
  format.channels = Le16(fmt.data() + 2);
  format.sampleRate =
      static_cast<std::int32_t>(std::min<std::uint32_t>(Le32(fmt.data() + 4), 0x7FFFFFFF));
  format.blockAlign = Le16(fmt.data() + 12);
  format.bitsPerSample = Le16(fmt.data() + 14);
  if (format.encoding == kFormatExtensible) {
    if (wanted < 26) return std::nullopt;
    format.encoding = Le16(fmt.data() + 24);  // the first two bytes of the sub-format GUID
  }
  return format;
}

class WavDecoder final : public AudioDecoder {
 public:
  WavDecoder(std::unique_ptr<ByteSource> source, const WavFormat& format, std::uint64_t dataStart,
             std::uint64_t dataFrames)
      : AudioDecoder(format.sampleRate, format.channels > 2 ? 1 : format.channels),
        source_(std::move(source)),
        format_(format),
        dataStart_(dataStart),
        dataFrames_(dataFrames) {}

  std::size_t Read(std::int16_t* frames, std::size_t maxFrames) override {
    const auto wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(maxFrames, dataFrames_ - framesRead_));
    buffer_.resize(wanted * format_.blockAlign);
    const std::size_t got = source_->Read(buffer_.data(), buffer_.size()) / format_.blockAlign;
    for (std::size_t i = 0; i < got; ++i)
      ConvertFrame(buffer_.data() + i * format_.blockAlign, frames + i * Channels());
    framesRead_ += got;
    return got;
  }

  bool Rewind() override {
    if (!source_->Seek(dataStart_)) return false;
    framesRead_ = 0;
    return true;
  }

 private:
  void ConvertFrame(const std::uint8_t* in, std::int16_t* out) const {
    const std::size_t bytes = static_cast<std::size_t>(format_.bitsPerSample / 8);
    if (format_.channels <= 2) {
      for (int c = 0; c < format_.channels; ++c)
        out[c] = static_cast<std::int16_t>(SampleAt(in + c * bytes, format_));
      return;
    }
    std::int32_t sum = 0;
    for (int c = 0; c < format_.channels; ++c) sum += SampleAt(in + c * bytes, format_);
    out[0] = static_cast<std::int16_t>(sum / format_.channels);
  }

  std::unique_ptr<ByteSource> source_;
  WavFormat format_;
  std::uint64_t dataStart_;
  std::uint64_t dataFrames_;
  std::uint64_t framesRead_ = 0;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace

std::unique_ptr<AudioDecoder> OpenWavDecoder(std::unique_ptr<ByteSource> source) {
  std::array<std::uint8_t, 12> riff{};
  if (!source->Seek(0) || source->Read(riff.data(), riff.size()) != riff.size() ||
      std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
    return nullptr;
  }
  std::optional<WavFormat> format;
  for (;;) {
    std::array<std::uint8_t, 8> header{};
    if (source->Read(header.data(), header.size()) != header.size()) return nullptr;
    const std::uint32_t size = Le32(header.data() + 4);
    const std::uint64_t bodyStart = source->Position();
    if (std::memcmp(header.data(), "data", 4) == 0) {
      if (!format || !Supported(*format)) return nullptr;
      const std::uint64_t bytes = std::min<std::uint64_t>(size, source->Size() - bodyStart);
      return std::make_unique<WavDecoder>(std::move(source), *format, bodyStart,
                                          bytes / format->blockAlign);
    }
    if (std::memcmp(header.data(), "fmt ", 4) == 0) {
      format = ParseFormatChunk(*source, size);
      if (!format) return nullptr;
    }
    if (!source->Seek(bodyStart + size + (size & 1u))) return nullptr;
  }
}

}  // namespace ox::platform
