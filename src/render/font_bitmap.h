// TAsphyreFont: one bitmap font, a set of equally sized glyph cells on textures with a width
// and height per character, loaded from a font record by its list (fonts.h).
//
// Characters are the bytes of a string. A character with a glyph (its code minus the first
// character code inside the glyph table) is drawn as its cell, round(Scale x cell size) big, and
// advances the pen by (glyph width + character spacing + Interleave) x Scale; any other
// character draws nothing and advances by (cell width x BlankSpacing + Interleave) x Scale.
// With TextTags, colour tags (font_tags.h) are neither drawn nor measured.
//
// Styles, in drawing order for each glyph: feShadow draws the cell first, moved by (2, 2)
// ((3, 2) with feBold) times Scale x ShadowDistance, in ShadowColor with alpha ShadowIntensity;
// feEmboss moves what follows up and left by one pixel; the cell is drawn with the top colour
// on its upper and the bottom colour on its lower corners; feBold draws it again one pixel to
// the left and to the right; feEmboss then draws it back in place in EmbossColor with alpha
// EmbossStrength (0.65 of it with feBold, and also one pixel to either side). feItalic shears
// every cell: its top corners move right and its bottom corners left by an eighth of the cell
// width. The alpha bits of ShadowColor and EmbossColor are ignored; intensities outside 0 ... 1
// are taken as the nearest end.
//
// Drawing needs the font's list and the list's canvas. A font without either draws nothing and
// logs once "TAsphyreFont: Unassigned Owner property." or "TAsphyreFont: Unassigned
// Owner.Canvas property."; a font that is not loaded draws nothing and measures 0.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "render/asphyre_image.h"
#include "render/font_record.h"

namespace ox::render {

class TAsphyreCanvas;
class TAsphyreFonts;

enum class TFontEffect : std::uint8_t { feBold = 1, feItalic = 2, feShadow = 4, feEmboss = 8 };

// A set of TFontEffect.
class TFontStyle {
 public:
  constexpr TFontStyle() = default;
  constexpr TFontStyle(std::initializer_list<TFontEffect> effects) {
    for (const TFontEffect effect : effects) bits_ |= static_cast<std::uint8_t>(effect);
  }
  constexpr bool Has(TFontEffect effect) const {
    return (bits_ & static_cast<std::uint8_t>(effect)) != 0;
  }
  constexpr bool operator==(const TFontStyle&) const = default;

 private:
  std::uint8_t bits_ = 0;
};

class TAsphyreFont {
 public:
  // `owner` may be none; then the font cannot draw.
  TAsphyreFont(TAsphyreFonts* owner, std::string name) : owner_(owner), name_(std::move(name)) {}
  TAsphyreFont(const TAsphyreFont&) = delete;
  TAsphyreFont& operator=(const TAsphyreFont&) = delete;

  TAsphyreFonts* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  double Scale() const { return scale_; }
  void SetScale(double scale) { scale_ = scale; }
  TFontStyle Style() const { return style_; }
  void SetStyle(TFontStyle style) { style_ = style; }
  bool TextTags() const { return textTags_; }
  void SetTextTags(bool textTags) { textTags_ = textTags; }
  double Interleave() const { return interleave_; }
  void SetInterleave(double interleave) { interleave_ = interleave; }
  double ShadowIntensity() const { return shadowIntensity_; }
  void SetShadowIntensity(double intensity) { shadowIntensity_ = intensity; }
  std::uint32_t ShadowColor() const { return shadowColor_; }
  void SetShadowColor(std::uint32_t colour) { shadowColor_ = colour; }
  double ShadowDistance() const { return shadowDistance_; }
  void SetShadowDistance(double distance) { shadowDistance_ = distance; }
  double EmbossStrength() const { return embossStrength_; }
  void SetEmbossStrength(double strength) { embossStrength_ = strength; }
  std::uint32_t EmbossColor() const { return embossColor_; }
  void SetEmbossColor(std::uint32_t colour) { embossColor_ = colour; }
  double BlankSpacing() const { return blankSpacing_; }
  void SetBlankSpacing(double spacing) { blankSpacing_ = spacing; }

  // Takes the record's metrics and makes its glyph textures on the back end; false (the font
  // left unloaded) when the textures cannot be made.
  bool Load(const TFontRecord& record, GraphicsBackend& backend);
  bool Loaded() const { return image_ != nullptr; }
  int FirstChar() const { return firstChar_; }
  std::int32_t CharSpacing() const { return charSpacing_; }
  int GlyphCount() const { return static_cast<int>(glyphs_.size()); }
  // The glyph textures; none when not loaded.
  const TAsphyreImage* Image() const { return image_.get(); }

  // Draws the string with its pen starting at (x, y); colours in the engine's order (red in
  // the low byte), effect a draw effect code of the canvas.
  void TextOut(std::string_view text, float x, float y, std::uint32_t top, std::uint32_t bottom,
               std::uint32_t effect);
  // The sum of the advances of the string's characters.
  double TextWidth(std::string_view text) const;
  // The tallest glyph height x Scale among the characters with glyphs; 0 without any.
  double TextHeight(std::string_view text) const;

 private:
  void Unload();
  // The glyph of a character code, -1 for none.
  int GlyphOf(std::uint8_t code) const;
  double Advance(int glyph) const;
  // The canvas to draw on; none (reported once) without an owner or canvas.
  TAsphyreCanvas* DrawingCanvas();
  void DrawGlyph(TAsphyreCanvas& canvas, int glyph, float x, float y, std::uint32_t top,
                 std::uint32_t bottom, std::uint32_t effect) const;

  TAsphyreFonts* owner_;
  std::string name_;
  double scale_ = 1.0;
  TFontStyle style_;
  bool textTags_ = true;
  double interleave_ = 0.0;
  double shadowIntensity_ = 0.5;
  std::uint32_t shadowColor_ = 0;
  double shadowDistance_ = 1.0;
  double embossStrength_ = 0.8;
  std::uint32_t embossColor_ = 0;
  double blankSpacing_ = 0.3;

  int firstChar_ = 0;
  std::int32_t charSpacing_ = 0;
  std::vector<TFontGlyph> glyphs_;
  std::unique_ptr<TAsphyreImage> image_;
  bool reported_ = false;
};

}  // namespace ox::render
