#include "media/bmp_run_length.h"

#include <algorithm>
#include <cstddef>

namespace ox::media {

namespace {

class IndexWriter {
 public:
  IndexWriter(int width, int height, bool topDown, std::uint8_t* indices)
      : width_(width), height_(height), topDown_(topDown), indices_(indices) {}

  bool InPicture() const { return y_ < height_; }
  // Indices past the row's end are dropped: encoders write the row's padding too.
  void Put(std::uint8_t index) {
    if (x_ == width_) return;
    const int row = topDown_ ? y_ : height_ - 1 - y_;
    indices_[static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
             static_cast<std::size_t>(x_++)] = index;
  }
  void EndLine() { x_ = 0, ++y_; }
  bool Move(int dx, int dy) {
    if (dy > height_ - y_) return false;
    x_ = std::min(x_ + dx, width_), y_ += dy;
    return true;
  }

 private:
  int width_, height_;
  bool topDown_;
  std::uint8_t* indices_;
  int x_ = 0, y_ = 0;
};

std::uint8_t Nibble(std::uint8_t byte, int i) {
  return static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0F);
}

}  // namespace

bool DecodeBmpRunLength(std::span<const std::uint8_t> data, int bitsPerIndex, int width, int height,
                        bool topDown, std::uint8_t* indices) {
  IndexWriter out(width, height, topDown, indices);
  const bool packed = bitsPerIndex == 4;
  std::size_t pos = 0;
  while (data.size() - pos >= 2) {
    const int count = data[pos];
    const std::uint8_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      if (!out.InPicture()) return false;
      for (int i = 0; i < count; ++i) out.Put(packed ? Nibble(value, i) : value);
    } else if (value == 0) {
      out.EndLine();
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (data.size() - pos < 2 || !out.Move(data[pos], data[pos + 1])) return false;
      pos += 2;
    } else {
      const std::size_t bytes = packed ? (value + 1u) / 2 : value;
      const std::size_t padded = (bytes + 1) & ~std::size_t{1};
      if (data.size() - pos < bytes || !out.InPicture()) return false;
      for (int i = 0; i < value; ++i)
        out.Put(packed ? Nibble(data[pos + static_cast<std::size_t>(i / 2)], i)
                       : data[pos + static_cast<std::size_t>(i)]);
      pos += std::min(padded, data.size() - pos);
    }
  }
  return false;
}

}  // namespace ox::media
