#include "render/font_bitmap.h"

#include <algorithm>

#include "render/font_tags.h"
#include "render/font_texels.h"

namespace ox::render {

bool TAsphyreFont::Load(const TFontRecord& record, GraphicsBackend& backend) {
  Unload();
  std::unique_ptr<TAsphyreImage> image = MakeGlyphImage(record, backend);
  if (image == nullptr) return false;
  firstChar_ = record.firstChar;
  charSpacing_ = record.charSpacing;
  glyphs_ = record.glyphs;
  image_ = std::move(image);
  return true;
}

void TAsphyreFont::Unload() {
  image_.reset();
  glyphs_.clear();
}

int TAsphyreFont::GlyphOf(std::uint8_t code) const {
  const int glyph = code - firstChar_;
  return glyph >= 0 && glyph < GlyphCount() ? glyph : -1;
}

double TAsphyreFont::Advance(int glyph) const {
  if (glyph < 0) return (image_->PatternWidth() * blankSpacing_ + interleave_) * scale_;
  const double width =
      static_cast<double>(glyphs_[static_cast<std::size_t>(glyph)].width) + charSpacing_;
  return (width + interleave_) * scale_;
}

double TAsphyreFont::TextWidth(std::string_view text) const {
  if (!Loaded()) return 0;
  double width = 0;
  TTagScanner scanner(text, textTags_, 0, 0);
  for (TTaggedChar c; scanner.Next(c);) width += Advance(GlyphOf(c.code));
  return width;
}

double TAsphyreFont::TextHeight(std::string_view text) const {
  if (!Loaded()) return 0;
  double height = 0;
  bool any = false;
  TTagScanner scanner(text, textTags_, 0, 0);
  for (TTaggedChar c; scanner.Next(c);) {
    const int glyph = GlyphOf(c.code);
    if (glyph < 0) continue;
    const double h = glyphs_[static_cast<std::size_t>(glyph)].height * scale_;
    height = any ? std::max(height, h) : h;
    any = true;
  }
  return height;
}

}  // namespace ox::render
