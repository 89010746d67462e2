#include "elements/text_measure.h"

#include "elements/drawing.h"

namespace ox::elements {

double UnicodeMeasure::LineWidth(std::string_view line) const {
  double width = 0.0;
  ForEachChar(line, [&](std::uint16_t code) { width += CharWidth(code); });
  return width;
}

render::TAsphyreImage* UnicodeGlyphs() {
  media::ImageStore* store = media::Images();
  if (store == nullptr) return nullptr;
  return store->GetImage(store->RequestImage(scene::TOxDB::kUnicodePicture, true));
}

double UnicodeGlyphScale(const render::TAsphyreFont& font, const render::TAsphyreImage* glyphs) {
  if (glyphs == nullptr || glyphs->PatternHeight() <= 0) return 0.0;
  return font.TextHeight("W") / glyphs->PatternHeight();
}

}  // namespace ox::elements
