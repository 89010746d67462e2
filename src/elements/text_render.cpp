// Drawing a text: its lines aligned in the box in the bitmap font (or in unicode mode glyph by
// glyph from the unicode picture), or through the TrueType face.
#include <algorithm>
#include <cmath>

#include "elements/alignment.h"
#include "elements/drawing.h"
#include "elements/guard_band.h"
#include "elements/text.h"
#include "elements/text_measure.h"
#include "elements/truetype_picture.h"
#include "scene/game_root.h"
#include "scene/scene_state.h"

namespace ox::elements {

namespace {

bool Whole(double v) { return std::floor(v) == v; }

struct DrawnLines {
  std::size_t count = 0;
  bool unended = false;  // the last line has no NUL after it
};

DrawnLines CountLines(std::string_view layout) {
  DrawnLines lines;
  std::size_t end = 0;
  ForEachLine(layout, [&](std::string_view line) {
    ++lines.count;
    end = static_cast<std::size_t>(line.data() - layout.data()) + line.size() + 1;
  });
  lines.unended = end < layout.size();
  lines.count += lines.unended ? 1 : 0;
  return lines;
}

// Every line of the layout as drawn: each ended by NUL, then the rest after the last NUL.
template <typename Each>
void ForEachDrawnLine(std::string_view layout, Each each) {
  std::size_t end = 0;
  ForEachLine(layout, [&](std::string_view line) {
    each(line);
    end = static_cast<std::size_t>(line.data() - layout.data()) + line.size() + 1;
  });
  if (end < layout.size()) each(layout.substr(end));
}

// The block is as tall as its lines at the tallest glyph of the whole text (the NUL that ends
// the last line included), with Interval between them.
double BlockHeight(const render::TAsphyreFont& font, std::string_view layout, double interval) {
  const DrawnLines lines = CountLines(layout);
  double height = font.TextHeight(layout);
  if (lines.unended) height = std::max(height, font.TextHeight(std::string_view("\0", 1)));
  const auto n = static_cast<double>(lines.count);
  return n * height + (n - 1) * interval;
}

render::TFontStyle StyleOf(bool shadow, bool emboss) {
  if (shadow && emboss) return {render::TFontEffect::feShadow, render::TFontEffect::feEmboss};
  if (shadow) return {render::TFontEffect::feShadow};
  if (emboss) return {render::TFontEffect::feEmboss};
  return {};
}

}  // namespace

bool TOxText::DrawsTrueType() const {
  return Root() != nullptr && Root()->UnicodeMode() && (Uni || scene::Scene().keyboardFocus == Ref());
}

void TOxText::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                     std::uint8_t flag) {
  if (!ResLoaded) LoadResources();
  render::TAsphyreFont* font = FontOf();
  if (layer == Order && font != nullptr && !layout_.empty() && Canvas() != nullptr) {
    if (DrawsTrueType()) {
      RenderTrueType(*font, offsetX + rX, offsetY + rY);
    } else {
      RenderLines(*font, offsetX + rX, offsetY + rY);
    }
  }
  TOxElement::Render(layer, color, offsetX, offsetY, flag);
}

void TOxText::ReloadResources() {
  if (trueType_) trueType_->Drop();
  TOxElement::ReloadResources();
}

void TOxText::RenderLines(render::TAsphyreFont& font, double x, double y) {
  font.SetScale(scale_);
  const bool unicode = Root() != nullptr && Root()->UnicodeMode();
  const double g = unicode ? UnicodeGlyphScale(font, UnicodeGlyphs()) : 0.0;
  static const std::vector<scene::UnicodeGlyph> kNoTable;
  const UnicodeMeasure unicodeMeasure(unicode ? Root()->UnicodeTable() : kNoTable, g);
  const FontMeasure fontMeasure(font);
  const TextMeasure& measure = unicode ? static_cast<const TextMeasure&>(unicodeMeasure) : fontMeasure;

  const double oy = PosVert == kAlignNear ? 0.0 : AlignmentShift(sizeY_ - BlockHeight(font, layout_, interval_), PosVert);
  render::TAsphyreCanvas& canvas = *Canvas();
  double cy = 0.0;
  ForEachDrawnLine(layout_, [&](std::string_view line) {
    const double lh = font.TextHeight(line);
    const double ox = PosHor == kAlignNear ? 0.0 : AlignmentShift(sizeX_ - measure.LineWidth(line), PosHor);
    const double lx = x + ox, ly = y + cy + oy;
    canvas.SetAntialias(scale_ != 1.0 || !Whole(lx) || !Whole(ly));
    font.SetShadowColor(hxShadColor);
    font.SetStyle(StyleOf(Shadow, Emboss));
    if (unicode) {
      RenderUnicodeLine(line, lx, ly, g);
    } else {
      font.TextOut(line, static_cast<float>(lx), static_cast<float>(ly), TopColour(), BottomColour(), hxDrawFx);
    }
    cy += lh + interval_;
  });
}

}  // namespace ox::elements
