#include "media/bmp_decoder.h"

#include <array>
#include <bit>
#include <cstring>

#include "media/bmp_run_length.h"

namespace ox::media {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

struct BmpHeader {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = kRgb;
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
  std::uint32_t coloursUsed = 0;
  std::size_t paletteOffset = 0;
  std::size_t paletteEntrySize = 4;
};

using Palette = std::array<std::uint32_t, 256>;

std::int32_t Signed32(const std::uint8_t* p) { return std::bit_cast<std::int32_t>(Le32(p)); }

bool Fail(std::string& failure, const char* reason) {
  failure = reason;
  return false;
}

void ReadMasks(const std::uint8_t* p, int count, BmpHeader& header) {
  for (int i = 0; i < count; ++i) header.masks[static_cast<std::size_t>(i)] = Le32(p + 4 * i);
}

// The 40-byte header leaves the colour masks of the bit-field forms to the words after it.
int MasksAfterHeader(std::uint32_t headerSize, std::uint32_t compression) {
  if (headerSize != 40) return 0;
  if (compression == kBitFields) return 3;
  return compression == kAlphaBitFields ? 4 : 0;
}

bool ReadHeader(std::span<const std::uint8_t> bytes, BmpHeader& header, std::string& failure) {
  if (bytes.size() < kFileHeaderSize + 16 || bytes[0] != 'B' || bytes[1] != 'M') {
    return Fail(failure, "it is not a Windows bitmap");
  }
  const std::uint32_t size = Le32(&bytes[14]);
  if (size > bytes.size() - kFileHeaderSize)
    return Fail(failure, "the bitmap header runs past the file");
  const std::uint8_t* info = &bytes[kFileHeaderSize];
  if (size == 12) {
    header.width = Le16(info + 4);
    header.height = Le16(info + 6);
    header.bitCount = Le16(info + 10);
    header.paletteEntrySize = 3;
  } else if (size >= 40) {
    header.width = Signed32(info + 4);
    header.height = Signed32(info + 8);
    header.bitCount = Le16(info + 14);
    header.compression = Le32(info + 16);
    header.coloursUsed = Le32(info + 32);
    if (size >= 52) ReadMasks(info + 40, size >= 56 ? 4 : 3, header);
  } else {
    return Fail(failure, "the bitmap header is of an unknown size");
  }
  header.paletteOffset = kFileHeaderSize + size;
  const int extraMasks = MasksAfterHeader(size, header.compression);
  if (extraMasks > 0) {
    if (bytes.size() - header.paletteOffset < 4u * extraMasks)
      return Fail(failure, "the colour masks run past the file");
    ReadMasks(&bytes[header.paletteOffset], extraMasks, header);
    header.paletteOffset += 4u * extraMasks;
  }
  header.topDown = header.height < 0;
  if (header.topDown) header.height = -header.height;
  return true;
}

bool KnownKind(const BmpHeader& h) {
  switch (h.compression) {
    case kRgb:
      return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
             h.bitCount == 24 || h.bitCount == 32;
    case kRle8:
      return h.bitCount == 8;
    case kRle4:
      return h.bitCount == 4;
    case kBitFields:
    case kAlphaBitFields:
      return h.bitCount == 16 || h.bitCount == 32;
    default:
      return false;
  }
}

// The palette as opaque colours; entries it does not have are black.
bool ReadPalette(std::span<const std::uint8_t> bytes, const BmpHeader& header, Palette& palette,
                 std::size_t& end, std::string& failure) {
  palette.fill(0xFF000000u);
  const std::uint32_t full = 1u << header.bitCount;
  const std::uint32_t count =
      header.coloursUsed == 0 || header.coloursUsed > full ? full : header.coloursUsed;
  if ((bytes.size() - header.paletteOffset) / header.paletteEntrySize < count) {
    return Fail(failure, "the palette runs past the file");
  }
  for (std::uint32_t i = 0; i < count; ++i)
    palette[i] = OpaqueBgr(&bytes[header.paletteOffset + i * header.paletteEntrySize]);
  end = header.paletteOffset + count * header.paletteEntrySize;
  return true;
}

void ExpandIndices(const std::uint8_t* row, int bitCount, int width, std::uint8_t* out) {
  if (bitCount == 8) {
    std::memcpy(out, row, static_cast<std::size_t>(width));
    return;
  }
  const int perByte = 8 / bitCount;
  const int mask = (1 << bitCount) - 1;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bitCount * (x % perByte + 1);
    out[x] = static_cast<std::uint8_t>(row[x / perByte] >> shift & mask);
  }
}

// One colour channel selected by a mask, scaled to 8 bits.
class Channel {
 public:
  explicit Channel(std::uint32_t mask)
      : shift_(mask == 0 ? 0 : std::countr_zero(mask)),
        max_(mask == 0 ? 0 : mask >> shift_),
        mask_(mask) {}
  bool Present() const { return mask_ != 0; }
  std::uint32_t Of(std::uint32_t pixel) const {
    if (max_ == 0) return 0;
    const std::uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<std::uint32_t>((value * 255 + max_ / 2) / max_);
  }

 private:
  int shift_;
  std::uint64_t max_;
  std::uint32_t mask_;
};

std::array<std::uint32_t, 4> MasksOf(const BmpHeader& header) {
  if (header.compression == kRgb) {
    if (header.bitCount == 16) return {0x7C00, 0x03E0, 0x001F, 0};
    return {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  }
  auto masks = header.masks;
  // Without an alpha mask a 32-bit picture's alpha is the byte its colours leave free.
  if (header.bitCount == 32 && masks[3] == 0 &&
      ((masks[0] | masks[1] | masks[2]) & 0xFF000000u) == 0) {
    masks[3] = 0xFF000000u;
  }
  return masks;
}

void DecodeMaskedRow(const std::uint8_t* in, const BmpHeader& header, int width,
                     std::uint32_t* out) {
  const auto masks = MasksOf(header);
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  const bool opaque = header.bitCount != 32 || !alpha.Present();
  for (int x = 0; x < width; ++x) {
    const std::uint32_t pixel = header.bitCount == 16 ? Le16(in + 2 * x) : Le32(in + 4 * x);
    const std::uint32_t a = opaque ? 255 : alpha.Of(pixel);
    out[x] = a << 24 | red.Of(pixel) << 16 | green.Of(pixel) << 8 | blue.Of(pixel);
  }
}

bool StandardMasks32(const BmpHeader& header) {
  return header.bitCount == 32 &&
         MasksOf(header) ==
             std::array<std::uint32_t, 4>{0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
}

void DecodeDirectRow(const std::uint8_t* in, const BmpHeader& header, int width,
                     std::uint32_t* out) {
  if (header.bitCount == 24) {
    OpaqueBgrRow(in, width, out);
  } else if (StandardMasks32(header)) {
    BgraRow(in, width, out);
  } else {
    DecodeMaskedRow(in, header, width, out);
  }
}

void ColourIndices(Bitmap& bitmap, const std::uint8_t* indices, const Palette& palette) {
  for (int y = 0; y < bitmap.height; ++y) {
    std::uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.width; ++x) row[x] = palette[*indices++];
  }
}

bool DecodeUncompressed(std::span<const std::uint8_t> bits, const BmpHeader& header,
                        const Palette& palette, Bitmap& bitmap, std::string& failure) {
  const auto rowBits =
      static_cast<std::uint64_t>(bitmap.width) * static_cast<std::uint64_t>(header.bitCount);
  const std::uint64_t stride = (rowBits + 31) / 32 * 4;
  if (bits.size() < stride * static_cast<std::uint64_t>(bitmap.height - 1) + (rowBits + 7) / 8) {
    return Fail(failure, "the bitmap's pixel data runs short");
  }
  std::vector<std::uint8_t> indices(header.bitCount <= 8 ? bitmap.PixelCount() : 0);
  const auto width = static_cast<std::size_t>(bitmap.width);
  for (int stored = 0; stored < bitmap.height; ++stored) {
    const int y = header.topDown ? stored : bitmap.height - 1 - stored;
    const std::uint8_t* in =
        bits.data() + static_cast<std::size_t>(stride) * static_cast<std::size_t>(stored);
    if (header.bitCount <= 8) {
      ExpandIndices(in, header.bitCount, bitmap.width,
                    indices.data() + static_cast<std::size_t>(y) * width);
    } else {
      DecodeDirectRow(in, header, bitmap.width, bitmap.Row(y));
    }
  }
  if (header.bitCount <= 8) ColourIndices(bitmap, indices.data(), palette);
  if (header.bitCount == 8) bitmap.paletteIndices = std::move(indices);
  return true;
}

bool DecodeRunLength(std::span<const std::uint8_t> bits, const BmpHeader& header,
                     const Palette& palette, Bitmap& bitmap, std::string& failure) {
  std::vector<std::uint8_t> indices(bitmap.PixelCount());
  if (!DecodeBmpRunLength(bits, header.bitCount, bitmap.width, bitmap.height, header.topDown,
                          indices.data())) {
    return Fail(failure, "the bitmap's run-length data is damaged or runs short");
  }
  ColourIndices(bitmap, indices.data(), palette);
  if (header.bitCount == 8) bitmap.paletteIndices = std::move(indices);
  return true;
}

}  // namespace

Bitmap DecodeBmp(std::span<const std::uint8_t> bytes, std::string& failure) {
  BmpHeader header;
  if (!ReadHeader(bytes, header, failure)) return {};
  if (!KnownKind(header)) {
    failure = "bitmaps of " + std::to_string(header.bitCount) + " bits in compression " +
              std::to_string(header.compression) + " are not read";
    return {};
  }
  Palette palette{};
  std::size_t bitsOffset = header.paletteOffset;
  if (header.bitCount <= 8 && !ReadPalette(bytes, header, palette, bitsOffset, failure)) return {};
  if (Le32(&bytes[10]) != 0) bitsOffset = Le32(&bytes[10]);
  if (bitsOffset > bytes.size()) {
    failure = "the bitmap's pixel data lies past the file";
    return {};
  }
  Bitmap bitmap;
  if (!AllocateBitmap(bitmap, header.width, header.height, failure)) return {};
  const auto bits = bytes.subspan(bitsOffset);
  const bool runLength = header.compression == kRle8 || header.compression == kRle4;
  if (!(runLength ? DecodeRunLength(bits, header, palette, bitmap, failure)
                  : DecodeUncompressed(bits, header, palette, bitmap, failure))) {
    return {};
  }
  bitmap.hasAlpha = header.bitCount == 32;
  return bitmap;
}

}  // namespace ox::media
