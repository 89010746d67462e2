#include "platform/audio/ogg_decoder.h"

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>

namespace ox::platform {
namespace {

std::size_t ReadCallback(void* into, std::size_t size, std::size_t count, void* source) {
  if (size == 0) return 0;
  return static_cast<ByteSource*>(source)->Read(into, size * count) / size;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
  return SeekFrom(*static_cast<ByteSource*>(source), offset, whence) < 0 ? -1 : 0;
}

long TellCallback(void* source) {
  return static_cast<long>(static_cast<ByteSource*>(source)->Position());
}

// The library's state points into itself, so it stays where it was opened.
struct VorbisFileCloser {
  void operator()(OggVorbis_File* file) const {
    ov_clear(file);
    delete file;
  }
};
using VorbisFile = std::unique_ptr<OggVorbis_File, VorbisFileCloser>;

class OggDecoder final : public AudioDecoder {
 public:
  OggDecoder(std::unique_ptr<ByteSource> source, VorbisFile file, std::int32_t rate,
             int sourceChannels)
      : AudioDecoder(rate, sourceChannels > 2 ? 1 : sourceChannels),
        source_(std::move(source)),
        file_(std::move(file)),
        sourceChannels_(sourceChannels) {}

  std::size_t Read(std::int16_t* frames, std::size_t maxFrames) override {
    const int wanted = static_cast<int>(std::min<std::size_t>(maxFrames, INT_MAX));
    for (int holes = 0; holes < 16; ++holes) {
      float** pcm = nullptr;
      int section = 0;
      const long got = ov_read_float(file_.get(), &pcm, wanted, &section);
      if (got == OV_HOLE) continue;  // a gap in the data; decoding goes on after it
      if (got <= 0 || !SameFormat(section)) return 0;
      Convert(pcm, static_cast<std::size_t>(got), frames);
      return static_cast<std::size_t>(got);
    }
    return 0;
  }

  bool Rewind() override { return ov_raw_seek(file_.get(), 0) == 0; }

 private:
  bool SameFormat(int section) {
    const vorbis_info* info = ov_info(file_.get(), section);
    return info != nullptr && info->channels == sourceChannels_ && info->rate == SampleRate();
  }

  void Convert(float** pcm, std::size_t count, std::int16_t* out) const {
    const int outChannels = Channels();
    for (std::size_t i = 0; i < count; ++i) {
      if (sourceChannels_ <= 2) {
        for (int c = 0; c < outChannels; ++c)
          out[i * outChannels + c] = Sample16FromFloat(pcm[c][i]);
        continue;
      }
      float sum = 0.0f;
      for (int c = 0; c < sourceChannels_; ++c) sum += pcm[c][i];
      out[i] = Sample16FromFloat(sum / static_cast<float>(sourceChannels_));
    }
  }

  std::unique_ptr<ByteSource> source_;
  VorbisFile file_;
  int sourceChannels_;
};

}  // namespace

std::unique_ptr<AudioDecoder> OpenOggDecoder(std::unique_ptr<ByteSource> source) {
  const ov_callbacks callbacks{ReadCallback, SeekCallback, nullptr, TellCallback};
  auto* opened = new OggVorbis_File;
  if (ov_open_callbacks(source.get(), opened, nullptr, 0, callbacks) != 0) {
    delete opened;  // a failed open has already cleared what it set up
    return nullptr;
  }
  VorbisFile file(opened);
  const vorbis_info* info = ov_info(file.get(), -1);
  if (info == nullptr || info->channels < 1 || info->rate < kMinFrequency ||
      info->rate > kMaxFrequency) {
    return nullptr;
  }
  const auto rate = static_cast<std::int32_t>(info->rate);
  const int channels = info->channels;
  return std::make_unique<OggDecoder>(std::move(source), std::move(file), rate, channels);
}

}  // namespace ox::platform
