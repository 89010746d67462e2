// Laying texts out into lines: explicit breaks, word wrap with the overflowing word in both
// modes, and escape triples, including ones cut at the end of the string.
#include "elements/text_layout.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace ox::elements {
namespace {

// Every character 10 pixels wide, a space 5.
class TenPixels final : public TextMeasure {
 public:
  double LineWidth(std::string_view line) const override {
    double w = 0;
    ForEachChar(line, [&](std::uint16_t code) { w += CharWidth(code); });
    return w;
  }
  double CharWidth(std::uint16_t code) const override { return code == ' ' ? 5 : 10; }
};

std::string Lay(std::string_view text, bool autoEnter = false, double box = 100, bool unicode = false) {
  return LayText(text, LayoutRules{autoEnter, unicode, box}, TenPixels());
}

TEST(TextLayout, BreaksAtCrLfAndAtBackslashN) {
  EXPECT_EQ(Lay("a\\nb"), "a\0b\0"s);
  EXPECT_EQ(Lay("a\r\nb"), "a\0b\0"s);
  EXPECT_EQ(Lay("a\\nb\r\nc\\n"), "a\0b\0c\0"s) << "whichever comes first; a break at the end adds no line";
  EXPECT_EQ(Lay("\r\n\r\n"), "\0\0"s) << "empty lines stay";
  EXPECT_EQ(Lay("a\rb\\"), "a\rb\\\0"s) << "a lone CR or backslash is text";
  EXPECT_EQ(Lay(""), "");
}

TEST(TextLayout, AnEscapeTripleIsOneCharacterEvenWhenItsBytesLookLikeABreak) {
  const std::string slashN = "x\x01\\n";  // code 0x6E5C
  EXPECT_EQ(Lay(slashN + "y"), slashN + "y\0"s);
  const std::string nulInside = "\x01\x00\x01"s;  // code 0x0100
  EXPECT_EQ(Lay(nulInside + "\\nz"), nulInside + "\0z\0"s);
  // Cut triples at the end are single characters: nothing is read past the string.
  EXPECT_EQ(Lay("ab\x01"), "ab\x01\0"s);
  EXPECT_EQ(Lay("ab\x01\\"), "ab\x01\\\0"s);
  EXPECT_EQ(Lay("a\x01", true, 5), "a\x01"s);
  EXPECT_EQ(Lay("a \x01\x41", true, 5, true), "\0a\0 \0\x01\x41\0"s)
      << "the cut triple takes the NUL that ends its line as its high byte";
}

TEST(TextLayout, WordsWrapWhereTheNextOneDoesNotFit) {
  // "aaa bbb" is 30 + 5 + 30 = 65 pixels.
  EXPECT_EQ(Lay("aaa bbb ccc", true, 65), "aaa bbb\0ccc"s);
  EXPECT_EQ(Lay("aaa bbb ccc", true, 64), "aaa\0bbb\0ccc"s);
  EXPECT_EQ(Lay("aa\\nbb", true, 100), "aa bb") << "a break of the text only separates words";
  EXPECT_EQ(Lay("aa\r\n\r\nbb", true, 100), "aa  bb") << "an empty line is an empty word";
}

TEST(TextLayout, AWordWiderThanTheBoxOverflowsOnALineOfItsOwn) {
  EXPECT_EQ(Lay("ab cdefgh ij", true, 50), "ab\0cdefgh\0ij"s);
  EXPECT_EQ(Lay("cdefgh ij", true, 50), "cdefgh\0ij"s) << "the first word stays where it is";
}

TEST(TextLayout, InUnicodeModeAWordWiderThanTheBoxSplitsBetweenCharacters) {
  // "ab" is 20; " cdefgh" goes on character by character: the space and c, d fit in 50.
  EXPECT_EQ(Lay("ab cdefgh", true, 50, true), "ab cd\0efgh"s);
  const std::string wide = "\x01\x10\x04\x01\x11\x04\x01\x12\x04";  // three characters, 30 pixels
  EXPECT_EQ(Lay(wide, true, 25, true), "\x01\x10\x04\x01\x11\x04\0\x01\x12\x04"s);
  EXPECT_EQ(Lay("abc", true, 25, true), "ab\0c"s);
}

TEST(TextLayout, NoBoxEndsLayingOut) {
  for (const double box : {0.0, -100.0, 1e300}) {
    EXPECT_FALSE(Lay("a b  c\\n\\nd", true, box, false).empty());
    EXPECT_FALSE(Lay("a b  c\\n\\nd", true, box, true).empty());
  }
  EXPECT_EQ(Lay("ab", true, 0, true), "\0a\0b"s) << "no character fits: each starts a line";
}

}  // namespace
}  // namespace ox::elements
