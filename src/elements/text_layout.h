// Laying a text out into lines. Text is bytes; in unicode mode a character outside 7-bit ASCII
// is the three bytes 0x01, low byte, high byte of its 16-bit code, and every scan here steps over
// such a triple as one character. A 0x01 without two bytes after it is a character of its own,
// so no scan reads past the string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ox::elements {

struct EngineChar {
  std::size_t size = 1;     // bytes: 1, or 3 for a triple
  std::uint16_t code = 0;  // the byte, or the triple's 16-bit code
};

// The character that starts at `at`, which lies inside the text.
EngineChar CharAt(std::string_view text, std::size_t at);

// Calls each(line) for the characters before every NUL that ends a line (NULs inside triples
// are part of their character); a last line without its NUL is not visited.
template <typename Each>
void ForEachLine(std::string_view text, Each each) {
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size(); at += CharAt(text, at).size) {
    if (text[at] != '\0') continue;
    each(text.substr(start, at - start));
    start = at + 1;
  }
}

// Calls each(code) for every character of the text.
template <typename Each>
void ForEachChar(std::string_view text, Each each) {
  for (std::size_t at = 0; at < text.size();) {
    const EngineChar c = CharAt(text, at);
    each(c.code);
    at += c.size;
  }
}

// What layout measures with: the width of a line in pixels, and in unicode mode the width of
// one character (the line width being their sum).
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual double LineWidth(std::string_view line) const = 0;
  virtual double CharWidth(std::uint16_t code) const = 0;
};

struct LayoutRules {
  bool autoEnter = false;  // wrap words at the box width
  bool unicode = false;    // a word wider than the box is split between characters
  double boxWidth = 0;
};

// The text as lines, each ended by NUL: it breaks at CR LF and at the two characters "\n", and
// with autoEnter also wraps words to the box. When wrapping, a break of the text only separates
// words, and the last line has no NUL after it.
std::string LayText(std::string_view text, const LayoutRules& rules, const TextMeasure& measure);

}  // namespace ox::elements
