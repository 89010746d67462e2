// TOxText: a block of text drawn in a bitmap font (or the TrueType path in unicode mode), with
// a vertical gradient from its top colour to its bottom colour.
#pragma once

#include <cstdint>
#include <string>

#include "elements/tint.h"
#include "elements/box_element.h"

namespace ox::elements {

class TOxText : public TOxBoxElement {
 public:
  TOxText();
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

  // The setters below store their value; laying out and drawing the text come with fonts.
  const std::string& Font() const { return font_; }
  void SetFont(std::string name) { font_ = std::move(name); }
  const std::string& TextId() const { return textId_; }
  void SetTextId(std::string id) { textId_ = std::move(id); }
  bool AutoEnter() const { return autoEnter_; }
  void SetAutoEnter(bool value) { autoEnter_ = value; }
  bool EnEnter() const { return enEnter_; }
  void SetEnEnter(bool value) { enEnter_ = value; }
  bool AutoScale() const { return autoScale_; }
  void SetAutoScale(bool value) { autoScale_ = value; }
  double Interval() const { return interval_; }
  void SetInterval(double value) { interval_ = value; }
  const std::string& Text() const { return text_; }
  void SetText(std::string value) { text_ = std::move(value); }
  double Scale() const { return scale_; }
  void SetScale(double value) { scale_ = value; }

  // Besides every element's names: "TEXTSZ", the width of the text as drawn.
  bool GetVar(const std::string& name, script::Value& out) override;
  // The width of Text in pixels in its bitmap font at the text's Scale; 0 where the TrueType
  // path draws it (unicode mode with Uni or the keyboard focus) and no picture of it exists yet.
  double TextWidth() const;

  std::uint32_t hxDrawFx = 0x504;
  std::int32_t PosHor = 0;
  std::int32_t PosVert = 0;
  std::uint32_t hxShadColor = 0;
  bool Emboss = false;
  bool Shadow = false;
  bool Uni = false;

 private:
  Tint top_{0xFFFFFFFFu};
  Tint bottom_{0u};
  std::string font_, textId_, text_;
  bool autoEnter_ = false, enEnter_ = false, autoScale_ = false;
  double interval_ = 0.0;
  double scale_ = 1.0;
};

}  // namespace ox::elements
