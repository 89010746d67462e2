// TOxText: a block of text drawn in a bitmap font (or the TrueType path in unicode mode), with
// a vertical gradient from its top colour to its bottom colour.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "elements/tint.h"
#include "elements/box_element.h"

namespace ox::render {
class TAsphyreFont;
}

namespace ox::elements {

class TrueTypePicture;

class TOxText : public TOxBoxElement {
 public:
  TOxText();
  ~TOxText() override;
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  // A text is hit over its box from X, Y to X + SizeX, Y + SizeY, edges included, in its own
  // layer; alignment does not move the box, and its children never take the mouse.
  scene::TOxElement* HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                             std::int32_t agro, std::uint8_t flag) override;

  std::uint32_t hxColor1() const { return top_.Color(); }
  void SetHxColor1(std::uint32_t rgb) { top_.SetColor(rgb); }
  std::uint8_t hxTrans1() const { return top_.Trans(); }
  void SetHxTrans1(std::uint8_t alpha) { top_.SetTrans(alpha); }
  std::uint32_t hxColor2() const { return bottom_.Color(); }
  void SetHxColor2(std::uint32_t rgb) { bottom_.SetColor(rgb); }
  std::uint8_t hxTrans2() const { return bottom_.Trans(); }
  void SetHxTrans2(std::uint8_t alpha) { bottom_.SetTrans(alpha); }
  std::uint32_t TopColour() const { return top_.argb; }
  std::uint32_t BottomColour() const { return bottom_.argb; }

  // Font, Scale, SizeX, EnEnter, AutoEnter and AutoScale lay the text out again; Text and
  // TextId set it (with a TextId, Text is always the language text of that key).
  const std::string& Font() const { return font_; }
  void SetFont(std::string name);
  const std::string& TextId() const { return textId_; }
  void SetTextId(std::string id);
  bool AutoEnter() const { return autoEnter_; }
  void SetAutoEnter(bool value);
  bool EnEnter() const { return enEnter_; }
  void SetEnEnter(bool value);
  bool AutoScale() const { return autoScale_; }
  void SetAutoScale(bool value);
  double Interval() const { return interval_; }
  void SetInterval(double value) { interval_ = value; }
  const std::string& Text() const { return text_; }
  void SetText(std::string value);
  double Scale() const { return scale_; }
  void SetScale(double value);
  void SetSizeX(std::int32_t value) override;

  // The text prepared for drawing: lines ended by NUL. Without EnEnter or a font, the text as
  // it is (drawn on one line).
  const std::string& Layout() const { return layout_; }
  // The bitmap font named by Font, loaded; none without one.
  render::TAsphyreFont* FontOf() const;

  // The block of lines aligned in the box, in the font; or in unicode mode with the keyboard
  // focus or Uni, the text in the unicode set's TrueType face, centred on the aligned point.
  void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
              std::uint8_t flag) override;
  // A device mode switch loses the TrueType picture's texture: it is made again when drawn.
  void ReloadResources() override;

  // Besides every element's names: "TEXTSZ", the width of the text as drawn.
  bool GetVar(const std::string& name, script::Value& out) override;
  // The width of Text in pixels: in its bitmap font at the text's Scale; where the TrueType
  // path draws it, the width its picture was drawn at (0 before it is first drawn).
  double TextWidth() const;
  // Unicode mode with the keyboard focus or Uni: the text is drawn in the TrueType face.
  bool DrawsTrueType() const;

  std::uint32_t hxDrawFx = 0x504;
  std::int32_t PosHor = 0;
  std::int32_t PosVert = 0;
  std::uint32_t hxShadColor = 0;
  bool Emboss = false;
  bool Shadow = false;
  bool Uni = false;

 private:
  void Relayout() { SetText(text_); }
  void RenderLines(render::TAsphyreFont& font, double x, double y);
  void RenderUnicodeLine(std::string_view line, double x, double y, double g);
  void RenderTrueType(render::TAsphyreFont& font, double x, double y);

  Tint top_{0xFFFFFFFFu};
  Tint bottom_{0u};
  std::string font_, textId_, text_;
  bool autoEnter_ = false, enEnter_ = false, autoScale_ = false;
  double interval_ = 0.0;
  double scale_ = 1.0;
  std::string layout_;
  std::unique_ptr<TrueTypePicture> trueType_;
};

}  // namespace ox::elements
