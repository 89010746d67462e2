#include "platform/text/codepage.h"

#include <gtest/gtest.h>

namespace ox::platform {
namespace {

TEST(Codepage, Cp1251ToUnicodeAndBack) {
  const std::string privet = "\xCF\xF0\xE8\xE2\xE5\xF2";  // "Привет"
  EXPECT_EQ(Utf16FromCp1251(privet), u"Привет");
  EXPECT_EQ(Utf8FromCp1251(privet), "Привет");
  EXPECT_EQ(Cp1251FromUtf8("Привет, №5 «ёлка»"), "\xCF\xF0\xE8\xE2\xE5\xF2, \xB9" "5 \xAB\xB8\xEB\xEA\xE0\xBB");
  EXPECT_EQ(Utf16FromCp1251("\x88\x96"), u"€–");
}

TEST(Codepage, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string wide = Utf16FromCp1251(all);
  ASSERT_EQ(wide.size(), 256u);
  EXPECT_EQ(wide[0x98], u'\u0098');
  EXPECT_EQ(Cp1251FromUtf16(wide), all);
  EXPECT_EQ(Cp1251FromUtf8(Utf8FromCp1251(all)), all);
}

TEST(Codepage, UnrepresentableAndInvalidInputIsReplaced) {
  EXPECT_EQ(Cp1251FromUtf16(u"a\u4E2Db"), "a?b");
  EXPECT_EQ(Cp1251FromUtf16(u"x\U0001F600y"), "x?y");  // a surrogate pair is one character
  EXPECT_EQ(Utf16FromUtf8("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf16FromUtf8("ab\xE2\x82"), u"ab\uFFFD\uFFFD");  // cut off mid-character
  const char16_t lone[] = {u'a', 0xD800, u'b', 0};
  EXPECT_EQ(Utf8FromUtf16(lone), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(Utf8FromUtf16(u"日本 \U0001F600"), "日本 \U0001F600");
  EXPECT_EQ(Utf16FromUtf8("日本 \U0001F600"), u"日本 \U0001F600");
}

TEST(Codepage, EngineUnicodeForm) {
  EXPECT_EQ(EngineUnicodeFromUtf16(u"Aя"), std::string("A\x01\x4F\x04", 4));
  EXPECT_EQ(EngineUnicodeFromUtf16(u"\u0080"), std::string("\x01\x80\x00", 3));
  EXPECT_EQ(Utf16FromEngineUnicode(std::string("x\x01\x4F\x04y", 5)), u"xяy");
  // A 0x01 without two bytes after it, and bytes of 128 and above, stand for themselves.
  EXPECT_EQ(Utf16FromEngineUnicode(std::string("\xE9\x01\x41", 3)), u"\u00E9\u0001A");
  EXPECT_EQ(Utf16FromEngineUnicode(EngineUnicodeFromUtf16(u"Grüße, 世界")), u"Grüße, 世界");
}

}  // namespace
}  // namespace ox::platform
