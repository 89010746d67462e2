// Font records and archives for the font tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "asdb_pack/asdb_packer.h"
#include "render/font_record.h"
#include "render/font_texels.h"
#include "support/temp_folder.h"

namespace ox::render::testing {

// Glyph cells side by side in one row of one texture; the texel function gives each cell's
// texels in device order (0xAARRGGBB).
struct CellFont {
  int firstChar = 'A';
  int cellWidth = 8;
  int cellHeight = 10;
  std::vector<TFontGlyph> glyphs = {{8, 10}, {6, 12}, {4, 9}};
  std::int32_t charSpacing = 0;
  int format = 5;
  std::function<std::uint32_t(int glyph, int x, int y)> texel = [](int, int, int) {
    return 0xFFFFFFFFu;
  };

  TFontRecord Record() const {
    TFontRecord r;
    r.firstChar = firstChar;
    r.charSpacing = charSpacing;
    r.glyphs = glyphs;
    r.format = format;
    r.patternWidth = r.visibleWidth = cellWidth;
    r.patternHeight = r.visibleHeight = cellHeight;
    r.patternCount = static_cast<int>(glyphs.size());
    r.textureWidth = cellWidth * r.patternCount;
    r.textureHeight = cellHeight;
    r.textureCount = 1;
    std::vector<std::uint32_t> row(static_cast<std::size_t>(r.textureWidth));
    const std::size_t rowBytes = row.size() * static_cast<std::size_t>(StoredTexelSize(format));
    r.texels.resize(rowBytes * static_cast<std::size_t>(cellHeight));
    for (int y = 0; y < cellHeight; ++y) {
      for (int x = 0; x < r.textureWidth; ++x) {
        row[static_cast<std::size_t>(x)] = texel(x / cellWidth, x % cellWidth, y);
      }
      EncodeStoredRow(format, row, r.texels.data() + static_cast<std::size_t>(y) * rowBytes);
    }
    return r;
  }
  std::vector<std::uint8_t> Bytes() const { return EncodeFontRecord(Record()); }
};

// An archive file in a folder of its own, removed with it.
class ArchiveFolder {
 public:
  std::string Path() const { return (folder_.path() / "fonts.asdb").string(); }
  void Write(const std::vector<asdbpack::PackedRecord>& records) const {
    ASSERT_FALSE(folder_.path().empty());
    ASSERT_TRUE(asdbpack::WriteArchive(Path(), records));
  }

 private:
  test_support::TempFolder folder_;
};

inline asdbpack::PackedRecord FontRecord(std::string name,
                                         const std::vector<std::uint8_t>& content) {
  return {std::move(name), 3, content, 0};
}

}  // namespace ox::render::testing
