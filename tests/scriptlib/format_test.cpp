#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/core/checked.h"
#include "reference_data.h"
#include "script/script_error.h"
#include "scriptlib/decimal_text.h"
#include "scriptlib/format.h"

namespace ox::scriptlib {
namespace {

using script::ScriptError;

FormatArgument ReferenceArgument(const std::string& kind, const std::string& text) {
  if (kind == "i") return FormatArgument::Int32(static_cast<std::int32_t>(std::stoll(text)));
  if (kind == "l") return FormatArgument::Int64(std::stoll(text));
  if (kind == "f") return FormatArgument::Float(std::strtod(text.c_str(), nullptr));
  return FormatArgument::String(text);
}

// Where the reference refuses an argument kind, the player converts it instead.
std::string LenientExpectation(const std::string& specifier, const std::string& kind, const std::string& arg,
                               const std::string& reference) {
  if (specifier == "%s" && kind == "i") return arg;
  if (specifier == "%s" && kind == "f") return "2.7";
  if (specifier == "%f" && kind == "i") return "5.00";
  if (specifier == "%e" && kind == "i") return "5.00000000000000E+000";
  return reference;
}

TEST(Format, MatchesTheReferenceFormatter) {
  const auto rows = test::ReferenceRows("format");
  ASSERT_GT(rows.size(), 200u);
  for (const auto& r : rows) {
    const std::string expected = LenientExpectation(r[0], r[1], r[2], r[3]);
    const FormatArgument arg = ReferenceArgument(r[1], r[2]);
    if (expected == "ERROR") {
      EXPECT_THROW(FormatWithArgument(r[0], arg), ScriptError) << r[0] << " " << r[2];
    } else {
      EXPECT_EQ(FormatWithArgument(r[0], arg), expected) << r[0] << " " << r[1] << " " << r[2];
    }
  }
}

TEST(Format, DefaultPrecisionOfScientificAndGeneralIsFifteenDigits) {
  EXPECT_EQ(FormatWithArgument("%e", FormatArgument::Float(1.5)), "1.50000000000000E+000");
  EXPECT_EQ(FormatWithArgument("%g", FormatArgument::Float(1.0 / 3)), "0.333333333333333");
  EXPECT_EQ(FormatWithArgument("%g", FormatArgument::Float(1e20)), "1E20");
}

TEST(Format, PointersAndUpperCaseLetters) {
  EXPECT_EQ(FormatWithArgument("%p", FormatArgument::Int32(0x1234AB)), "001234AB");
  EXPECT_EQ(FormatWithArgument("%p", FormatArgument::Int32(-1)), "FFFFFFFF");
  EXPECT_THROW(FormatWithArgument("%p", FormatArgument::Int64(1LL << 40)), ScriptError);
  EXPECT_EQ(FormatWithArgument("%D", FormatArgument::Int32(26)), "26");
  EXPECT_EQ(FormatWithArgument("%X", FormatArgument::Int32(26)), "1A");
  // One argument serves one specifier.
  EXPECT_THROW(FormatWithArgument("%d|%d", FormatArgument::Int32(26)), ScriptError);
}

TEST(Format, HugeWidthsAndPrecisionsAreRefusedNotAllocated) {
  EXPECT_THROW(FormatWithArgument("%99999999999d", FormatArgument::Int32(1)), ScriptError);
  EXPECT_THROW(FormatWithArgument("%.99999999999f", FormatArgument::Float(1)), ScriptError);
  EXPECT_EQ(FormatWithArgument("%.60f", FormatArgument::Float(0.5)), "0.500000000000000000");
  EXPECT_EQ(FormatWithArgument("%.40e", FormatArgument::Float(0.5)), "5.0000000000000000E-001");
  EXPECT_EQ(FormatWithArgument("%6s", FormatArgument::Int32(5)).size(), 6u);
}

TEST(Format, NotFiniteFloats) {
  EXPECT_EQ(FixedText(1.0 / 0.0, 2), "+Inf");
  EXPECT_EQ(ExponentText(-1.0 / 0.0, 3), "-Inf");
  EXPECT_EQ(GeneralText(std::nan(""), 15), "Nan");
}

TEST(FormatScript, EachSpecifierTakesTheNextArgument) {
  using A = FormatArgument;
  EXPECT_EQ(FormatScript("%d items", {A::Int32(3)}), "3 items");
  EXPECT_EQ(FormatScript("%s-%s", {A::String("A"), A::String("B"), A::String("C")}), "A-B");
  EXPECT_EQ(FormatScript("[%5.1f]%x", {A::Float(2.25), A::Int32(255)}), "[  2.3]FF");
}

TEST(FormatScript, MissingArgumentsDropTheSpecifierAndUnfinishedOnesStay) {
  using A = FormatArgument;
  EXPECT_EQ(FormatScript("a%db%sc", {A::Int32(1)}), "a1bc");
  EXPECT_EQ(FormatScript("50%", {A::Int32(1)}), "50%");
  EXPECT_EQ(FormatScript("x %5.", {}), "x %5.");
  // "%%" is part of the specifier that runs to the next letter and uses up an argument.
  EXPECT_EQ(FormatScript("100%% done%d", {A::Int32(1), A::Int32(2)}), "100% done2");
}

TEST(FormatScript, AFloatFailingAnIntegerLetterIsRetriedTruncated) {
  using A = FormatArgument;
  EXPECT_EQ(FormatScript("%d", {A::Float(2.7)}), "2");
  EXPECT_EQ(FormatScript("%d", {A::Float(-2.7)}), "-2");
  EXPECT_EQ(FormatScript("%x", {A::Float(255.9)}), "FF");
  EXPECT_EQ(FormatScript("%d", {A::Float(5e15)}), "5000000000000000");
  EXPECT_THROW(FormatScript("%d", {A::Float(1e300)}), RangeError);
  EXPECT_THROW(FormatScript("%d", {A::String("5")}), ScriptError);
  EXPECT_THROW(FormatScript("%k", {A::Int32(5)}), ScriptError);
}

}  // namespace
}  // namespace ox::scriptlib
