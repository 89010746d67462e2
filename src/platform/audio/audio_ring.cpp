#include "platform/audio/audio_ring.h"

#include <algorithm>
#include <bit>

namespace ox::platform {

FrameRing::FrameRing(int channels, std::size_t capacityFrames)
    : channels_(static_cast<std::size_t>(channels)),
      mask_(std::bit_ceil(std::max<std::size_t>(capacityFrames, 2)) - 1),
      data_((mask_ + 1) * channels_) {}

std::size_t FrameRing::FreeFrames() const {
  const std::uint64_t written = written_.load(std::memory_order_relaxed);
  const std::uint64_t read = read_.load(std::memory_order_acquire);
  return Capacity() - static_cast<std::size_t>(written - read);
}

void FrameRing::Write(const std::int16_t* frames, std::size_t count) {
  const std::uint64_t written = written_.load(std::memory_order_relaxed);
  const auto start = static_cast<std::size_t>(written & mask_);
  const std::size_t first = std::min(count, Capacity() - start);
  std::copy_n(frames, first * channels_, data_.data() + start * channels_);
  std::copy_n(frames + first * channels_, (count - first) * channels_, data_.data());
  written_.store(written + count, std::memory_order_release);
}

std::size_t FrameRing::AvailableFrames() const {
  const std::uint64_t written = written_.load(std::memory_order_acquire);
  return static_cast<std::size_t>(written - read_.load(std::memory_order_relaxed));
}

void FrameRing::Consume(std::size_t count) {
  read_.store(read_.load(std::memory_order_relaxed) + count, std::memory_order_release);
}

void FrameRing::Clear() {
  written_.store(0, std::memory_order_relaxed);
  read_.store(0, std::memory_order_relaxed);
}

}  // namespace ox::platform
