#include "platform/text/case1251.h"

#include <gtest/gtest.h>

namespace ox::platform {
namespace {

TEST(Case1251, FoldsAsciiAndCyrillicLettersOnly) {
  EXPECT_EQ(UpperCase1251("abc_xyz-09[]`{}"), "ABC_XYZ-09[]`{}");
  EXPECT_EQ(LowerCase1251("ABC_XYZ@"), "abc_xyz@");
  // "привет" / "ПРИВЕТ" in Windows-1251.
  EXPECT_EQ(UpperCase1251("\xEF\xF0\xE8\xE2\xE5\xF2"), "\xCF\xD0\xC8\xC2\xC5\xD2");
  EXPECT_EQ(LowerCase1251("\xCF\xD0\xC8\xC2\xC5\xD2"), "\xEF\xF0\xE8\xE2\xE5\xF2");
  // ё/Ё, ї/Ї, ґ/Ґ, ў/Ў, ј/Ј, ђ/Ђ live outside the contiguous runs.
  EXPECT_EQ(UpperCase1251("\xB8\xBF\xB4\xA2\xBC\x90"), "\xA8\xAF\xA5\xA1\xA3\x80");
  EXPECT_EQ(LowerCase1251("\xA8\xAF\xA5\xA1\xA3\x80"), "\xB8\xBF\xB4\xA2\xBC\x90");
  // Punctuation of the upper half (quotes, dashes, №, §) has no case.
  EXPECT_EQ(UpperCase1251("\x84\x93\x94\x96\x97\xB9\xA7\xA0"), "\x84\x93\x94\x96\x97\xB9\xA7\xA0");
}

TEST(Case1251, TablesAreMutualInversesOnLetters) {
  for (int c = 0; c < 256; ++c) {
    const auto ch = static_cast<unsigned char>(c);
    const unsigned char up = UpperChar1251(ch);
    const unsigned char low = LowerChar1251(ch);
    if (up != ch) {
      EXPECT_EQ(LowerChar1251(up), ch) << c;
    }
    if (low != ch) {
      EXPECT_EQ(UpperChar1251(low), ch) << c;
    }
    EXPECT_FALSE(up != ch && low != ch) << c;
  }
}

TEST(Case1251, EqualityIgnoresCaseButNotLength) {
  EXPECT_TRUE(EqualNoCase1251("OxDB", "OXDB"));
  EXPECT_TRUE(EqualNoCase1251("\xB8\xEB\xEA\xE0", "\xA8\xCB\xCA\xC0"));  // ёлка / ЁЛКА
  EXPECT_TRUE(EqualNoCase1251("", ""));
  EXPECT_FALSE(EqualNoCase1251("abc", "abcd"));
  EXPECT_FALSE(EqualNoCase1251("a[", "A{"));
}

}  // namespace
}  // namespace ox::platform
