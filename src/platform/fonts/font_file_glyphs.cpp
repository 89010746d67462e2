#include "platform/fonts/font_file_glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace ox::platform {

namespace {

int Pixels(FT_Pos twentySixSix) { return static_cast<int>((twentySixSix + 32) >> 6); }

class FreeTypeGlyphs final : public FontFileGlyphs {
 public:
  FreeTypeGlyphs(FT_Library library, FT_Face face) : library_(library), face_(face) {}
  ~FreeTypeGlyphs() override {
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  FreeTypeGlyphs(const FreeTypeGlyphs&) = delete;
  FreeTypeGlyphs& operator=(const FreeTypeGlyphs&) = delete;

  int Ascender() const override { return Pixels(face_->size->metrics.ascender); }
  int LineHeight() const override {
    return Pixels(face_->size->metrics.ascender) - Pixels(face_->size->metrics.descender);
  }

  GlyphCoverage Render(char32_t codePoint) const override {
    GlyphCoverage glyph;
    const FT_UInt index = FT_Get_Char_Index(face_, codePoint);
    if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER) != 0) return glyph;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.advance = Pixels(slot->advance.x);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return glyph;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.pixels.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height));
    for (int y = 0; y < glyph.height; ++y) {
      const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
      std::copy(row, row + glyph.width, glyph.pixels.begin() + static_cast<std::ptrdiff_t>(y) * glyph.width);
    }
    return glyph;
  }

 private:
  FT_Library library_;
  FT_Face face_;
};

}  // namespace

std::unique_ptr<FontFileGlyphs> FontFileGlyphs::Open(const std::filesystem::path& file, int pixelSize) {
  if (pixelSize <= 0) return nullptr;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), 0, &face) != 0 ||
      FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    if (face != nullptr) FT_Done_Face(face);
    FT_Done_FreeType(library);
    return nullptr;
  }
  return std::make_unique<FreeTypeGlyphs>(library, face);
}

}  // namespace ox::platform
