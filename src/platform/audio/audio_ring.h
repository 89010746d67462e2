// A ring of decoded frames between one writer (the thread that decodes a stream ahead) and
// one reader (the mixer). Writing and reading need no lock; Clear only while neither runs.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ox::platform {

class FrameRing {
 public:
  // The capacity is rounded up to a power of two.
  FrameRing(int channels, std::size_t capacityFrames);

  std::size_t Capacity() const { return mask_ + 1; }

  // Writer side. count must not exceed FreeFrames().
  std::size_t FreeFrames() const;
  void Write(const std::int16_t* frames, std::size_t count);

  // Reader side. Frame(i) is the i-th frame after the oldest unread one, i < AvailableFrames().
  std::size_t AvailableFrames() const;
  const std::int16_t* Frame(std::uint64_t offset) const {
    return data_.data() + ((read_.load(std::memory_order_relaxed) + offset) & mask_) * channels_;
  }
  void Consume(std::size_t count);

  void Clear();

 private:
  std::size_t channels_;
  std::size_t mask_;
  std::vector<std::int16_t> data_;
  std::atomic<std::uint64_t> written_{0};
  std::atomic<std::uint64_t> read_{0};
};

}  // namespace ox::platform
