#include "media/tga_decoder.h"

#include <algorithm>

namespace ox::media {

namespace {

constexpr std::size_t kHeaderSize = 18;

struct TgaLayout {
  int bytesPerPixel;
  bool topDown;
  bool rightToLeft;
};

std::uint32_t Colour(const std::uint8_t* p, int bytesPerPixel) {
  return bytesPerPixel == 4 ? Bgra(p) : OpaqueBgr(p);
}

// Turns run-length pixels, decoded in stored order, top-down and left to right.
void PlaceRows(Bitmap& bitmap, const TgaLayout& layout) {
  if (layout.rightToLeft) {
    for (int y = 0; y < bitmap.height; ++y)
      std::reverse(bitmap.Row(y), bitmap.Row(y) + bitmap.width);
  }
  if (!layout.topDown) {
    for (int y = 0, z = bitmap.height - 1; y < z; ++y, --z) {
      std::swap_ranges(bitmap.Row(y), bitmap.Row(y) + bitmap.width, bitmap.Row(z));
    }
  }
}

// Stored rows go straight to their place.
bool ReadUncompressed(std::span<const std::uint8_t> data, Bitmap& bitmap, const TgaLayout& layout) {
  const auto pixelBytes = static_cast<std::size_t>(layout.bytesPerPixel);
  if (data.size() / pixelBytes < bitmap.PixelCount()) return false;
  const std::uint8_t* in = data.data();
  for (int stored = 0; stored < bitmap.height; ++stored) {
    std::uint32_t* row = bitmap.Row(layout.topDown ? stored : bitmap.height - 1 - stored);
    if (layout.bytesPerPixel == 4) {
      BgraRow(in, bitmap.width, row);
    } else {
      OpaqueBgrRow(in, bitmap.width, row);
    }
    in += pixelBytes * static_cast<std::size_t>(bitmap.width);
    if (layout.rightToLeft) std::reverse(row, row + bitmap.width);
  }
  return true;
}

// Pixels in stored order, row after row: run-length packets may run across rows.
class PixelWriter {
 public:
  explicit PixelWriter(Bitmap& bitmap) : bitmap_(bitmap) {}
  std::size_t Remaining() const {
    return static_cast<std::size_t>(bitmap_.height - y_) * static_cast<std::size_t>(bitmap_.width) -
           static_cast<std::size_t>(x_);
  }
  void Put(std::uint32_t colour) {
    bitmap_.Row(y_)[x_] = colour;
    if (++x_ == bitmap_.width) x_ = 0, ++y_;
  }

 private:
  Bitmap& bitmap_;
  int x_ = 0, y_ = 0;
};

bool ReadRunLength(std::span<const std::uint8_t> data, Bitmap& bitmap, int bytesPerPixel) {
  const auto pixelBytes = static_cast<std::size_t>(bytesPerPixel);
  PixelWriter out(bitmap);
  std::size_t pos = 0;
  while (out.Remaining() > 0) {
    if (pos >= data.size()) return false;
    const std::uint8_t packet = data[pos++];
    const std::size_t count = (packet & 0x7Fu) + 1;
    const std::size_t kept = std::min(count, out.Remaining());
    if (packet & 0x80u) {
      if (data.size() - pos < pixelBytes) return false;
      const std::uint32_t colour = Colour(data.data() + pos, bytesPerPixel);
      for (std::size_t i = 0; i < kept; ++i) out.Put(colour);
      pos += pixelBytes;
    } else {
      if ((data.size() - pos) / pixelBytes < kept) return false;
      for (std::size_t i = 0; i < kept; ++i)
        out.Put(Colour(data.data() + pos + i * pixelBytes, bytesPerPixel));
      pos += count * pixelBytes;
    }
  }
  return true;
}

}  // namespace

Bitmap DecodeTga(std::span<const std::uint8_t> bytes, std::string& failure) {
  if (bytes.size() < kHeaderSize) {
    failure = "the Targa header is cut short";
    return {};
  }
  const std::uint8_t colourMapType = bytes[1];
  const std::uint8_t imageType = bytes[2];
  const std::uint8_t depth = bytes[16];
  const std::uint8_t descriptor = bytes[17];
  if (colourMapType != 0 || (imageType != 2 && imageType != 10) || (depth != 24 && depth != 32)) {
    failure = "Targa type " + std::to_string(imageType) + " of " + std::to_string(depth) +
              " bits with colour map type " + std::to_string(colourMapType) + " is not read";
    return {};
  }
  const std::size_t dataStart = kHeaderSize + bytes[0];
  if (dataStart > bytes.size()) {
    failure = "the Targa identification field runs past the file";
    return {};
  }
  Bitmap bitmap;
  if (!AllocateBitmap(bitmap, Le16(&bytes[12]), Le16(&bytes[14]), failure)) return {};
  const TgaLayout layout{depth / 8, (descriptor & 0x20) != 0, (descriptor & 0x10) != 0};
  const auto data = bytes.subspan(dataStart);
  const bool read = imageType == 2 ? ReadUncompressed(data, bitmap, layout)
                                   : ReadRunLength(data, bitmap, layout.bytesPerPixel);
  if (!read) {
    failure = "the Targa pixel data runs short";
    return {};
  }
  if (imageType == 10) PlaceRows(bitmap, layout);
  bitmap.hasAlpha = depth == 32;
  return bitmap;
}

}  // namespace ox::media
