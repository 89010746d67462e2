#include "platform/audio/audio_stream.h"

#include <algorithm>

namespace ox::platform {
namespace {

// About 0.37 s at 44,100 Hz: enough for a feeder that wakes every 10 ms to stay ahead even
// of a source played at several times the output rate.
constexpr std::size_t kRingFrames = 16384;
constexpr std::size_t kDecodeChunkFrames = 4096;

}  // namespace

StreamChannel::StreamChannel(std::unique_ptr<AudioDecoder> decoder)
    : settings(decoder->SampleRate()),
      decoder_(std::move(decoder)),
      channels_(decoder_->Channels()),
      ring_(channels_, kRingFrames),
      staging_(kDecodeChunkFrames * static_cast<std::size_t>(channels_)) {}

void StreamChannel::Refill() {
  const std::lock_guard lock(decodeLock_);
  if (decoder_ == nullptr) return;
  bool justRewound = false;
  while (!sourceEnded_.load(std::memory_order_relaxed)) {
    const std::size_t room = std::min(ring_.FreeFrames(), kDecodeChunkFrames);
    if (room == 0) return;
    const std::size_t got = decoder_->Read(staging_.data(), room);
    if (got > 0) {
      ring_.Write(staging_.data(), got);
      justRewound = false;
    } else if (justRewound || !decoder_->Rewind()) {
      sourceEnded_.store(true, std::memory_order_release);
    } else {
      justRewound = true;
    }
  }
}

void StreamChannel::Rewind() {
  {
    const std::lock_guard lock(decodeLock_);
    if (decoder_ == nullptr) return;
    ring_.Clear();
    position_ = 0;
    sourceEnded_.store(!decoder_->Rewind(), std::memory_order_release);
  }
  Refill();
}

void StreamChannel::Release() {
  const std::lock_guard lock(decodeLock_);
  decoder_.reset();
}

bool StreamChannel::MixInto(float* mix, std::size_t frames) {
  const bool ended = sourceEnded_.load(std::memory_order_acquire);
  const std::size_t available = ring_.AvailableFrames();
  const std::size_t produced =
      MixInterpolated([this](std::uint64_t i) { return ring_.Frame(i); }, available, ended,
                      channels_, position_, settings, mix, frames);
  // A step of more than one frame can carry the position past what has been decoded so far;
  // the part beyond stays in the position until the frames arrive.
  const std::uint64_t consumed =
      std::min<std::uint64_t>(position_ >> kPositionFractionBits, available);
  ring_.Consume(static_cast<std::size_t>(consumed));
  position_ -= consumed << kPositionFractionBits;
  return !(ended && produced < frames);
}

}  // namespace ox::platform
