// The two ways unicode mode draws a text: glyph by glyph from the unicode picture, or the whole
// text through the TrueType face, centred on the aligned point of the box.
#include "elements/alignment.h"
#include "elements/drawing.h"
#include "elements/guard_band.h"
#include "elements/text.h"
#include "elements/text_measure.h"
#include "elements/truetype_picture.h"
#include "scene/game_root.h"

namespace ox::elements {

void TOxText::RenderUnicodeLine(std::string_view line, double x, double y, double g) {
  render::TAsphyreImage* glyphs = UnicodeGlyphs();
  if (glyphs == nullptr || !(g > 0.0)) return;
  render::TAsphyreCanvas& canvas = *Canvas();
  canvas.SetAntialias(true);
  const std::vector<scene::UnicodeGlyph>& table = Root()->UnicodeTable();
  const int pw = glyphs->PatternWidth(), ph = glyphs->PatternHeight();
  const auto cell = static_cast<float>(g);
  const std::uint32_t colour = TopColour();
  double pen = x;
  ForEachChar(line, [&](std::uint16_t code) {
    if (code >= table.size() || table[code].width == 0) return;
    const auto left = static_cast<float>(pen), top = static_cast<float>(y);
    const GuardCut cut{std::max(0, CutBefore(left, 1.0L, g, pw)), std::max(0, CutAfter(left + pw * cell, 1.0L, g, pw)),
                       std::max(0, CutBefore(top, 1.0L, g, ph)), std::max(0, CutAfter(top + ph * cell, 1.0L, g, ph))};
    pen += table[code].width * g;
    const int width = pw - cut.left - cut.right, height = ph - cut.top - cut.bottom;
    if (width < 1 || height < 1) return;
    const float l = left + cut.left * cell, t = top + cut.top * cell;
    const float r = l + width * cell, b = t + height * cell;
    const render::TPatternSelection selection{table[code].glyph, cut.left, cut.top, width, height, false, false};
    canvas.TexMap(glyphs, {{{l, t}, {r, t}, {r, b}, {l, b}}}, {colour, colour, colour, colour}, selection, hxDrawFx);
  });
}

void TOxText::RenderTrueType(render::TAsphyreFont& font, double x, double y) {
  render::TAsphyreDevice* device = Canvas()->Publisher();
  if (device == nullptr) return;
  if (!trueType_) trueType_ = std::make_unique<TrueTypePicture>();
  font.SetScale(scale_);
  const render::TAsphyreImage* picture = trueType_->Picture(device->Backend(), text_, Root()->UnicodeTrailer());
  if (picture == nullptr) return;
  const double w = picture->PatternWidth(), h = picture->PatternHeight();
  const double k = font.TextHeight("W") / h * 1.5;
  const double left = x + AlignmentShift(sizeX_, PosHor) - w * k / 2;
  const double top = y + AlignmentShift(sizeY_, PosVert) - h * k / 2;
  Canvas()->SetAntialias(true);
  Canvas()->DrawStretch(picture, static_cast<float>(left), static_cast<float>(top), static_cast<float>(k), 0,
                        TopColour(), render::kFxBlend);
}

}  // namespace ox::elements
