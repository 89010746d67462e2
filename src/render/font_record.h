// Font records: what an archive record of type 3 holds once unpacked. All integers are
// little-endian and signed 32-bit unless said otherwise:
//   first character code (u32, only its low byte counts), character spacing, a field nothing
//   reads (written 0), glyph count N, N x (glyph width, glyph height), stored texel format
//   (one byte, see font_texels.h), pattern width and height, visible width and height, pattern
//   count, texture width and height, texture count, then every texture in order as
//   texture-height rows of texture-width texels of the stored format. Bytes after the last
//   texture are ignored.
//
// Records come from game files and are checked before anything is sized from them: a record is
// refused when it is shorter than its fields or texels, when a count is negative, a size below
// 1 or a texture side beyond kLargestFontTexture, when the visible part does not fit in a
// pattern or a pattern in a texture, or when its textures cannot hold its patterns.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ox::render {

inline constexpr int kLargestFontTexture = 8192;

struct TFontGlyph {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

struct TFontRecord {
  int firstChar = 0;  // 0 ... 255
  std::int32_t charSpacing = 0;
  std::vector<TFontGlyph> glyphs;
  int format = 0;  // stored texel format index
  std::int32_t patternWidth = 0, patternHeight = 0;
  std::int32_t visibleWidth = 0, visibleHeight = 0;
  std::int32_t patternCount = 0;
  std::int32_t textureWidth = 0, textureHeight = 0;
  std::int32_t textureCount = 0;
  std::vector<std::uint8_t> texels;  // every texture's rows, in the stored format
};

std::optional<TFontRecord> ParseFontRecord(std::span<const std::uint8_t> content);

// The record's bytes as ParseFontRecord reads them; the texels are written as they stand.
std::vector<std::uint8_t> EncodeFontRecord(const TFontRecord& record);

}  // namespace ox::render
