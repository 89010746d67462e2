// Font records as the archive holds them: what is read, what is refused, and how stored texels
// of every format read back.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fonts_test_font.h"
#include "render/font_record.h"
#include "render/font_texels.h"

namespace ox::render {
namespace {

using testing::CellFont;

TEST(FontRecordTest, ReadsWhatWasWrittenAndOnlyTheLowByteOfTheFirstCharacter) {
  CellFont font;
  font.charSpacing = -2;
  font.texel = [](int glyph, int x, int y) {
    return 0xFF000000u | static_cast<std::uint32_t>(glyph << 16 | x << 8 | y);
  };
  std::vector<std::uint8_t> bytes = font.Bytes();
  bytes[1] = 0x7F;        // the first character code's high bytes are ignored
  bytes.push_back(0xEE);  // and so is anything after the textures

  const std::optional<TFontRecord> read = ParseFontRecord(bytes);
  ASSERT_TRUE(read);
  const TFontRecord written = font.Record();
  EXPECT_EQ(read->firstChar, 'A');
  EXPECT_EQ(read->charSpacing, -2);
  ASSERT_EQ(read->glyphs.size(), 3u);
  EXPECT_EQ(read->glyphs[1].width, 6);
  EXPECT_EQ(read->glyphs[1].height, 12);
  EXPECT_EQ(read->format, 5);
  EXPECT_EQ(read->patternWidth, 8);
  EXPECT_EQ(read->visibleHeight, 10);
  EXPECT_EQ(read->patternCount, 3);
  EXPECT_EQ(read->textureWidth, 24);
  EXPECT_EQ(read->textureCount, 1);
  EXPECT_EQ(read->texels, written.texels);
}

TEST(FontRecordTest, EveryTruncationIsRefused) {
  const std::vector<std::uint8_t> bytes = CellFont{}.Bytes();
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_FALSE(ParseFontRecord(std::span(bytes).first(size))) << size << " bytes";
  }
}

TEST(FontRecordTest, CountsAndSizesOutsideTheirLimitsAreRefused) {
  const std::vector<std::pair<const char*, std::function<void(TFontRecord&)>>> damages = {
      {"format 11", [](TFontRecord& r) { r.format = 11; }},
      {"pattern width 0", [](TFontRecord& r) { r.patternWidth = 0; }},
      {"pattern wider than its texture",
       [](TFontRecord& r) { r.patternWidth = r.textureWidth + 1; }},
      {"texture beyond the largest side",
       [](TFontRecord& r) { r.textureWidth = kLargestFontTexture + 1; }},
      {"negative texture count", [](TFontRecord& r) { r.textureCount = -1; }},
      {"more patterns than the textures hold", [](TFontRecord& r) { r.patternCount = 4; }},
      {"negative pattern count", [](TFontRecord& r) { r.patternCount = -1; }},
      {"more textures than texels", [](TFontRecord& r) { r.textureCount = 2; }},
  };
  for (const auto& [what, damage] : damages) {
    TFontRecord record = CellFont{}.Record();
    damage(record);
    EXPECT_FALSE(ParseFontRecord(EncodeFontRecord(record))) << what;
  }
}

TEST(FontRecordTest, AGlyphCountBeyondTheRecordIsRefusedBeforeAnythingIsSized) {
  std::vector<std::uint8_t> bytes = CellFont{}.Bytes();
  for (const std::uint32_t count : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0x10000000u}) {
    for (int i = 0; i < 4; ++i)
      bytes[12 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(count >> (8 * i));
    EXPECT_FALSE(ParseFontRecord(bytes)) << count;
  }
}

TEST(FontTexelsTest, StoredFormatsHaveTheirSizesAndReadBackTheirChannels) {
  const int sizes[kFontFormatCount] = {1, 2, 4, 2, 2, 4, 2, 2, 2, 1, 1};
  for (int format = 0; format < kFontFormatCount; ++format)
    EXPECT_EQ(StoredTexelSize(format), sizes[format]);
  EXPECT_EQ(StoredTexelSize(-1), 0);
  EXPECT_EQ(StoredTexelSize(kFontFormatCount), 0);

  // Opaque white, a half-transparent red and a transparent black through every format.
  const std::uint32_t colours[] = {0xFFFFFFFFu, 0x80FF0000u, 0x00000000u};
  const std::uint32_t expected[kFontFormatCount][3] = {
      {0xFFFFFFFF, 0xFFFF0000, 0xFF000000}, {0xFFFFFFFF, 0xFFFF0000, 0xFF000000},
      {0xFFFFFFFF, 0xFFFF0000, 0xFF000000}, {0xFFFFFFFF, 0xFFFF0000, 0xFF000000},
      {0xFFFFFFFF, 0xFFFF0000, 0xFF000000}, {0xFFFFFFFF, 0x80FF0000, 0x00000000},
      {0xFFFFFFFF, 0xFFFF0000, 0x00000000}, {0xFFFFFFFF, 0x88FF0000, 0x00000000},
      {0xFFFFFFFF, 0x80FF0000, 0x00000000}, {0xFFFFFFFF, 0xFF4C4C4C, 0xFF000000},
      {0xFF000000, 0x80000000, 0x00000000}};
  for (int format = 0; format < kFontFormatCount; ++format) {
    std::uint8_t texels[12] = {};
    std::uint32_t back[3] = {};
    EncodeStoredRow(format, colours, texels);
    DecodeStoredRow(format, texels, back);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(back[i], expected[format][i]) << "format " << format << " colour " << i;
    }
  }
}

}  // namespace
}  // namespace ox::render
