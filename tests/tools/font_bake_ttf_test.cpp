#include <filesystem>

#include <gtest/gtest.h>

#include "platform/fonts/font_file_glyphs.h"
#include "render/font_record.h"
#include "render/font_texels.h"
#include "support/temp_folder.h"

namespace ox {
namespace {

constexpr char kFreeFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

int Bake(const std::string& arguments) {
  return std::system(("'" FONT_BAKE_BIN "' " + arguments + " 2>/dev/null").c_str());
}

TEST(FontBakeTtf, BakesTheGlyphsOfAFontFileIntoARecordThePlayerReads) {
  if (!std::filesystem::exists(kFreeFont)) GTEST_SKIP() << "no DejaVu Sans installed";
  test_support::TempFolder folder;
  const auto out = folder.path() / "sans.fnt";
  ASSERT_EQ(Bake("'" + out.string() + "' --ttf " + kFreeFont + " --size 20 --first 32"), 0);
  const std::string bytes = test_support::ReadFile(out);
  const auto record = render::ParseFontRecord(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  ASSERT_TRUE(record.has_value());
  ASSERT_EQ(record->glyphs.size(), 224u) << "codes 32 ... 255";
  const auto width = [&](char c) { return record->glyphs[static_cast<std::size_t>(static_cast<unsigned char>(c) - 32)].width; };
  EXPECT_GT(width('W'), width('i'));
  EXPECT_GT(record->glyphs[0xC0 - 32].width, 5) << "a Cyrillic capital from the 8-bit code page";
  EXPECT_GE(record->patternHeight, 20);
  // Some texel of the cell of 'A' (glyph 33) is covered: alpha, the top byte of A8R8G8B8.
  const int cell = 'A' - 32, perRow = record->textureWidth / record->patternWidth;
  const int x0 = cell % perRow * record->patternWidth, y0 = cell / perRow * record->patternHeight;
  int covered = 0;
  for (int y = y0; y < y0 + record->patternHeight; ++y)
    for (int x = x0; x < x0 + record->patternWidth; ++x)
      covered += record->texels[static_cast<std::size_t>((y * record->textureWidth + x) * 4 + 3)] > 128;
  EXPECT_GT(covered, 20);
  // The last column and row of every cell are clear, so filtering never mixes in a neighbour.
  int bleeding = 0;
  for (std::size_t g = 0; g < record->glyphs.size(); ++g) {
    const int gx = static_cast<int>(g) % perRow * record->patternWidth, gy = static_cast<int>(g) / perRow * record->patternHeight;
    EXPECT_LT(record->glyphs[g].height, record->patternHeight);
    for (int y = gy; y < gy + record->patternHeight; ++y)
      bleeding += record->texels[static_cast<std::size_t>((y * record->textureWidth + gx + record->patternWidth - 1) * 4 + 3)] != 0;
    for (int x = gx; x < gx + record->patternWidth; ++x)
      bleeding += record->texels[static_cast<std::size_t>(((gy + record->patternHeight - 1) * record->textureWidth + x) * 4 + 3)] != 0;
  }
  EXPECT_EQ(bleeding, 0);
}

TEST(FontBakeTtf, RefusesWhatIsNoFontAndWritesNothing) {
  test_support::TempFolder folder;
  test_support::WriteFile(folder.path() / "not.ttf", "hello");
  EXPECT_EQ(platform::FontFileGlyphs::Open(folder.path() / "not.ttf", 20), nullptr);
  EXPECT_NE(Bake("'" + (folder.path() / "x.fnt").string() + "' --ttf '" + (folder.path() / "not.ttf").string() + "' --size 20"), 0);
  EXPECT_NE(Bake("'" + (folder.path() / "x.fnt").string() + "' --ttf " + kFreeFont + " --size 0"), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "x.fnt"));
}

}  // namespace
}  // namespace ox
