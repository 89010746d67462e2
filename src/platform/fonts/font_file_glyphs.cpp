#include "platform/fonts/font_file_glyphs.h"

#include <algorithm>
#include <utility>

#include "platform/fonts/font_face.h"

namespace ox::platform {

namespace {

class FreeTypeGlyphs final : public FontFileGlyphs {
 public:
  explicit FreeTypeGlyphs(FacePtr face) : face_(std::move(face)) {}

  int Ascender() const override { return Pixels(face_->size->metrics.ascender); }
  int LineHeight() const override {
    return Pixels(face_->size->metrics.ascender) - Pixels(face_->size->metrics.descender);
  }

  GlyphCoverage Render(char32_t codePoint) const override {
    GlyphCoverage glyph;
    const FT_UInt index = FT_Get_Char_Index(face_.get(), codePoint);
    if (FT_Load_Glyph(face_.get(), index, FT_LOAD_RENDER) != 0) return glyph;
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
  FacePtr face_;
};

}  // namespace

std::unique_ptr<FontFileGlyphs> FontFileGlyphs::Open(const std::filesystem::path& file, int pixelSize) {
  if (pixelSize <= 0) return nullptr;
  FacePtr face = OpenFace(file);
  if (!face || FT_Set_Pixel_Sizes(face.get(), 0, static_cast<FT_UInt>(pixelSize)) != 0) return nullptr;
  return std::make_unique<FreeTypeGlyphs>(std::move(face));
}

}  // namespace ox::platform
