// Glyphs of one TrueType (or other FreeType-readable) font file at one pixel size, as grey
// coverage, for the font baker. The player's own text path does not use it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace ox::platform {

struct GlyphCoverage {
  int width = 0, height = 0;  // of the coverage picture
  int left = 0, top = 0;      // its offset from the pen: right of it, and up from the baseline
  int advance = 0;            // how far the pen moves, in whole pixels
  std::vector<std::uint8_t> pixels;  // width x height, rows from the top, 0 ... 255
};

class FontFileGlyphs {
 public:
  // None when the file cannot be read as a font or the size is not positive.
  static std::unique_ptr<FontFileGlyphs> Open(const std::filesystem::path& file, int pixelSize);
  virtual ~FontFileGlyphs() = default;

  virtual int Ascender() const = 0;   // pixels above the baseline
  virtual int LineHeight() const = 0;  // ascender plus descender
  // The glyph of a code point; an empty picture with the face's fallback advance when the face
  // has no such glyph.
  virtual GlyphCoverage Render(char32_t codePoint) const = 0;
};

}  // namespace ox::platform
