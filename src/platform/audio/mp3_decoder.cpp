#include "platform/audio/mp3_decoder.h"

#include <mpg123.h>

#include <mutex>

namespace ox::platform {
namespace {

mpg123_ssize_t ReadCallback(void* source, void* into, std::size_t bytes) {
  return static_cast<mpg123_ssize_t>(static_cast<ByteSource*>(source)->Read(into, bytes));
}

off_t SeekCallback(void* source, off_t offset, int whence) {
  return static_cast<off_t>(SeekFrom(*static_cast<ByteSource*>(source), offset, whence));
}

struct HandleCloser {
  void operator()(mpg123_handle* handle) const {
    mpg123_close(handle);
    mpg123_delete(handle);
  }
};
using Mpg123Handle = std::unique_ptr<mpg123_handle, HandleCloser>;

class Mp3Decoder final : public AudioDecoder {
 public:
  Mp3Decoder(std::unique_ptr<ByteSource> source, Mpg123Handle handle, std::int32_t rate,
             int channels)
      : AudioDecoder(rate, channels), source_(std::move(source)), handle_(std::move(handle)) {}

  std::size_t Read(std::int16_t* frames, std::size_t maxFrames) override {
    const std::size_t frameBytes = sizeof(std::int16_t) * static_cast<std::size_t>(Channels());
    for (int attempts = 0; attempts < 16; ++attempts) {
      std::size_t done = 0;
      const int result = mpg123_read(handle_.get(), frames, maxFrames * frameBytes, &done);
      if (done > 0) return done / frameBytes;
      if (result != MPG123_OK && result != MPG123_NEW_FORMAT) return 0;
      if (result == MPG123_NEW_FORMAT && !SameFormat()) return 0;
    }
    return 0;
  }

  bool Rewind() override { return mpg123_seek(handle_.get(), 0, SEEK_SET) >= 0; }

 private:
  bool SameFormat() {
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    return mpg123_getformat(handle_.get(), &rate, &channels, &encoding) == MPG123_OK &&
           rate == SampleRate() && channels == Channels() && encoding == MPG123_ENC_SIGNED_16;
  }

  std::unique_ptr<ByteSource> source_;
  Mpg123Handle handle_;
};

// Accept every rate, mono or stereo, and only 16-bit output.
bool OfferFormats(mpg123_handle* handle) {
  if (mpg123_format_none(handle) != MPG123_OK) return false;
  const long* rates = nullptr;
  std::size_t count = 0;
  mpg123_rates(&rates, &count);
  for (std::size_t i = 0; i < count; ++i) {
    mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  return true;
}

}  // namespace

std::unique_ptr<AudioDecoder> OpenMp3Decoder(std::unique_ptr<ByteSource> source) {
  static std::once_flag libraryReady;
  std::call_once(libraryReady, [] { mpg123_init(); });
  int error = MPG123_OK;
  Mpg123Handle handle(mpg123_new(nullptr, &error));
  if (handle == nullptr) return nullptr;
  mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  if (!OfferFormats(handle.get()) ||
      mpg123_replace_reader_handle(handle.get(), ReadCallback, SeekCallback, nullptr) !=
          MPG123_OK ||
      mpg123_open_handle(handle.get(), source.get()) != MPG123_OK) {
    return nullptr;
  }
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle.get(), &rate, &channels, &encoding) != MPG123_OK ||
      encoding != MPG123_ENC_SIGNED_16 || channels < 1 || channels > 2 || rate < kMinFrequency ||
      rate > kMaxFrequency) {
    return nullptr;
  }
  return std::make_unique<Mp3Decoder>(std::move(source), std::move(handle),
                                      static_cast<std::int32_t>(rate), channels);
}

}  // namespace ox::platform
