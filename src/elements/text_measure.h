// How wide a text's lines are: in its bitmap font, or in unicode mode from the unicode set's
// code-point table, each character its table width times g (0 outside the table).
#pragma once

#include <vector>

#include "elements/text_layout.h"
#include "render/asphyre_image.h"
#include "render/font_bitmap.h"
#include "scene/game_root.h"

namespace ox::elements {

class FontMeasure final : public TextMeasure {
 public:
  explicit FontMeasure(const render::TAsphyreFont& font) : font_(font) {}
  double LineWidth(std::string_view line) const override { return font_.TextWidth(line); }
  double CharWidth(std::uint16_t) const override { return 0.0; }

 private:
  const render::TAsphyreFont& font_;
};

class UnicodeMeasure final : public TextMeasure {
 public:
  UnicodeMeasure(const std::vector<scene::UnicodeGlyph>& table, double g) : table_(table), g_(g) {}
  double LineWidth(std::string_view line) const override;
  double CharWidth(std::uint16_t code) const override {
    return code < table_.size() ? table_[code].width * g_ : 0.0;
  }

 private:
  const std::vector<scene::UnicodeGlyph>& table_;
  double g_;
};

// The unicode set's glyph picture, kept loaded in unicode mode; none when it is not.
render::TAsphyreImage* UnicodeGlyphs();
// g: how much larger the font's "W" is than a pattern of the glyph picture (at the font's
// present Scale); 0 without the picture.
double UnicodeGlyphScale(const render::TAsphyreFont& font, const render::TAsphyreImage* glyphs);

}  // namespace ox::elements
