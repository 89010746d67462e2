#include "render/font_record.h"

#include "render/font_texels.h"

namespace ox::render {
namespace {

// Reads little-endian fields in order; every read past the end fails the whole reading.
class FieldReader {
 public:
  explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool I32(std::int32_t& value) {
    if (Remaining() < 4) return false;
    const std::uint8_t* p = bytes_.data() + at_;
    const std::uint32_t bits =
        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    value = static_cast<std::int32_t>(bits);
    at_ += 4;
    return true;
  }
  bool U8(int& value) {
    if (Remaining() < 1) return false;
    value = bytes_[at_++];
    return true;
  }
  void Skip(std::size_t count) { at_ += count; }
  std::size_t Remaining() const { return bytes_.size() - at_; }
  std::span<const std::uint8_t> Rest() const { return bytes_.subspan(at_); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

bool ReadGlyphs(FieldReader& in, TFontRecord& record) {
  std::int32_t count = 0;
  if (!in.I32(count) || count < 0 || static_cast<std::uint64_t>(count) * 8 > in.Remaining()) {
    return false;
  }
  record.glyphs.resize(static_cast<std::size_t>(count));
  for (TFontGlyph& glyph : record.glyphs) {
    if (!in.I32(glyph.width) || !in.I32(glyph.height)) return false;
  }
  return true;
}

bool ReadLayout(FieldReader& in, TFontRecord& r) {
  return in.U8(r.format) && in.I32(r.patternWidth) && in.I32(r.patternHeight) &&
         in.I32(r.visibleWidth) && in.I32(r.visibleHeight) && in.I32(r.patternCount) &&
         in.I32(r.textureWidth) && in.I32(r.textureHeight) && in.I32(r.textureCount);
}

bool LayoutIsSound(const TFontRecord& r) {
  const auto within = [](int value, int limit) { return value >= 1 && value <= limit; };
  if (StoredTexelSize(r.format) == 0 || !within(r.textureWidth, kLargestFontTexture) ||
      !within(r.textureHeight, kLargestFontTexture) || !within(r.patternWidth, r.textureWidth) ||
      !within(r.patternHeight, r.textureHeight) || r.textureCount < 0 || r.patternCount < 0) {
    return false;
  }
  const std::int64_t perTexture = static_cast<std::int64_t>(r.textureWidth / r.patternWidth) *
                                  (r.textureHeight / r.patternHeight);
  return r.patternCount <= perTexture * r.textureCount;
}

// Bytes of all textures; the sides are at most kLargestFontTexture, so this cannot overflow.
std::uint64_t TexelBytes(const TFontRecord& r) {
  return static_cast<std::uint64_t>(r.textureCount) * static_cast<std::uint64_t>(r.textureWidth) *
         static_cast<std::uint64_t>(r.textureHeight) *
         static_cast<std::uint64_t>(StoredTexelSize(r.format));
}

class FieldWriter {
 public:
  void I32(std::int64_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
      bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
  }
  std::vector<std::uint8_t> bytes;
};

}  // namespace

std::optional<TFontRecord> ParseFontRecord(std::span<const std::uint8_t> content) {
  FieldReader in(content);
  TFontRecord record;
  std::int32_t firstChar = 0;
  if (!in.I32(firstChar) || !in.I32(record.charSpacing) || in.Remaining() < 4) return std::nullopt;
  record.firstChar = static_cast<int>(static_cast<std::uint32_t>(firstChar) & 0xFFu);
  in.Skip(4);
  if (!ReadGlyphs(in, record) || !ReadLayout(in, record) || !LayoutIsSound(record))
    return std::nullopt;
  const std::uint64_t texelBytes = TexelBytes(record);
  if (texelBytes > in.Remaining()) return std::nullopt;
  const std::span<const std::uint8_t> texels =
      in.Rest().first(static_cast<std::size_t>(texelBytes));
  record.texels.assign(texels.begin(), texels.end());
  return record;
}

std::vector<std::uint8_t> EncodeFontRecord(const TFontRecord& record) {
  FieldWriter out;
  out.I32(record.firstChar & 0xFF);
  out.I32(record.charSpacing);
  out.I32(0);
  out.I32(static_cast<std::int64_t>(record.glyphs.size()));
  for (const TFontGlyph& glyph : record.glyphs) {
    out.I32(glyph.width);
    out.I32(glyph.height);
  }
  out.bytes.push_back(static_cast<std::uint8_t>(record.format));
  for (const int field :
       {record.patternWidth, record.patternHeight, record.visibleWidth, record.visibleHeight,
        record.patternCount, record.textureWidth, record.textureHeight, record.textureCount}) {
    out.I32(field);
  }
  out.bytes.insert(out.bytes.end(), record.texels.begin(), record.texels.end());
  return out.bytes;
}

}  // namespace ox::render
