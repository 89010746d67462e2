#include "render/font_texels.h"

#include <cstring>
#include <optional>
#include <vector>

namespace ox::render {
namespace {

constexpr int kLuminanceFormat = 9;

// The texture format a stored format index names; none for the luminance format, which no
// texture uses, and for indices outside the table.
std::optional<TextureFormat> TextureFormatOf(int format) {
  static constexpr TextureFormat kFormats[] = {
      TextureFormat::R3G3B2,   TextureFormat::R5G6B5,   TextureFormat::X8R8G8B8,
      TextureFormat::X1R5G5B5, TextureFormat::X4R4G4B4, TextureFormat::A8R8G8B8,
      TextureFormat::A1R5G5B5, TextureFormat::A4R4G4B4, TextureFormat::A8R3G3B2,
      TextureFormat::A8R8G8B8, TextureFormat::A8};
  if (format < 0 || format >= kFontFormatCount || format == kLuminanceFormat) return std::nullopt;
  return kFormats[format];
}

bool SamePair(TextureFormat a, TextureFormat b, TextureFormat x, TextureFormat y) {
  return (a == x || a == y) && (b == x || b == y);
}

bool CopiedUnchanged(int stored, TextureFormat texture) {
  const std::optional<TextureFormat> format = TextureFormatOf(stored);
  if (!format) return false;
  return *format == texture ||
         SamePair(*format, texture, TextureFormat::X8R8G8B8, TextureFormat::A8R8G8B8) ||
         SamePair(*format, texture, TextureFormat::X4R4G4B4, TextureFormat::A4R4G4B4);
}

bool WriteTexture(TAsphyreImage& image, int index, const TFontRecord& record) {
  const TextureId texture = image.Texture(index);
  const std::optional<TexelLock> lock = image.Backend().LockTexture(texture, false);
  if (!lock) return false;
  const bool fits = lock->width == record.textureWidth && lock->height == record.textureHeight;
  const std::size_t width = static_cast<std::size_t>(record.textureWidth);
  const std::size_t rowBytes = width * static_cast<std::size_t>(StoredTexelSize(record.format));
  const bool copy = CopiedUnchanged(record.format, lock->format);
  std::vector<std::uint32_t> argb(width);
  for (int row = 0; fits && row < record.textureHeight; ++row) {
    const std::size_t storedRow =
        static_cast<std::size_t>(index) * static_cast<std::size_t>(record.textureHeight) +
        static_cast<std::size_t>(row);
    const std::uint8_t* source = record.texels.data() + storedRow * rowBytes;
    std::uint8_t* target = lock->bits + static_cast<std::ptrdiff_t>(row) * lock->pitch;
    if (copy) {
      std::memcpy(target, source, rowBytes);
    } else {
      DecodeStoredRow(record.format, source, argb);
      EncodeRow(lock->format, argb, target);
    }
  }
  image.Backend().UnlockTexture(texture);
  return fits;
}

// A parsed record always does; this keeps a hand-made one from being read past its end.
bool HoldsItsTexels(const TFontRecord& r) {
  if (r.textureCount < 0 || r.textureWidth < 0 || r.textureHeight < 0 ||
      r.textureWidth > kLargestFontTexture || r.textureHeight > kLargestFontTexture) {
    return false;
  }
  const std::uint64_t bytes = static_cast<std::uint64_t>(r.textureCount) *
                              static_cast<std::uint64_t>(r.textureWidth) *
                              static_cast<std::uint64_t>(r.textureHeight) *
                              static_cast<std::uint64_t>(StoredTexelSize(r.format));
  return StoredTexelSize(r.format) > 0 && r.texels.size() >= bytes;
}

}  // namespace

int StoredTexelSize(int format) {
  if (format == kLuminanceFormat) return 1;
  const std::optional<TextureFormat> texture = TextureFormatOf(format);
  return texture ? BytesPerTexel(*texture) : 0;
}

void DecodeStoredRow(int format, const std::uint8_t* texels, std::span<std::uint32_t> argb) {
  if (const std::optional<TextureFormat> texture = TextureFormatOf(format)) {
    DecodeRow(*texture, texels, argb);
    return;
  }
  for (std::uint32_t& colour : argb) {
    const std::uint32_t level = format == kLuminanceFormat ? *texels++ : 0;
    colour = 0xFF000000u | level << 16 | level << 8 | level;
  }
}

void EncodeStoredRow(int format, std::span<const std::uint32_t> argb, std::uint8_t* texels) {
  if (const std::optional<TextureFormat> texture = TextureFormatOf(format)) {
    EncodeRow(*texture, argb, texels);
    return;
  }
  if (format != kLuminanceFormat) return;
  for (const std::uint32_t colour : argb) {
    const std::uint32_t r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
    *texels++ = static_cast<std::uint8_t>((299 * r + 587 * g + 114 * b + 500) / 1000);
  }
}

std::unique_ptr<TAsphyreImage> MakeGlyphImage(const TFontRecord& record, GraphicsBackend& backend) {
  if (!HoldsItsTexels(record)) return nullptr;
  auto image = std::make_unique<TAsphyreImage>(backend);
  if (!image->CreateTextures(record.textureCount, record.textureWidth, record.textureHeight)) {
    return nullptr;
  }
  // A glyph is its whole cell: the record's visible size is not used.
  image->SetPatternSize(record.patternWidth, record.patternHeight);
  image->SetVisibleSize(record.patternWidth, record.patternHeight);
  image->SetPatternCount(record.patternCount);
  for (int index = 0; index < record.textureCount; ++index) {
    if (!WriteTexture(*image, index, record)) return nullptr;
  }
  return image;
}

}  // namespace ox::render
