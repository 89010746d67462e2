// Variant conversions and the number-to-text rules.
#include <gtest/gtest.h>

#include <cmath>

#include "script/convert.h"
#include "script/value_json.h"

namespace ox::script {
namespace {

TEST(Convert, ToInt32RoundsHalfToEvenAndChecksRange) {
  std::int32_t n = 0;
  EXPECT_TRUE(ToInt32(Value::Float(2.5), n));
  EXPECT_EQ(n, 2);
  EXPECT_TRUE(ToInt32(Value::Float(3.5), n));
  EXPECT_EQ(n, 4);
  EXPECT_TRUE(ToInt32(Value::Float(-2.5), n));
  EXPECT_EQ(n, -2);
  EXPECT_FALSE(ToInt32(Value::Float(2147483648.0), n));
  EXPECT_FALSE(ToInt32(Value::Float(NAN), n));
  EXPECT_FALSE(ToInt32(Value::Float(INFINITY), n));
  EXPECT_FALSE(ToInt32(Value::Int64(1LL << 40), n));
  EXPECT_FALSE(ToInt32(Value::UInt32(0xFFFFFFFFu), n));
  EXPECT_TRUE(ToInt32(Value::Bool(true), n));
  EXPECT_EQ(n, -1);
  EXPECT_TRUE(ToInt32(Value{}, n));
  EXPECT_EQ(n, 0);
  EXPECT_TRUE(ToInt32(Value::String(" 42 "), n));
  EXPECT_EQ(n, 42);
  EXPECT_TRUE(ToInt32(Value::String("$FF"), n));
  EXPECT_EQ(n, 255);
  EXPECT_TRUE(ToInt32(Value::String("2.5"), n));
  EXPECT_EQ(n, 2);
  EXPECT_FALSE(ToInt32(Value::String("abc"), n));
  EXPECT_FALSE(ToInt32(Value::String(""), n));
}

TEST(Convert, ToInt64AndToFloat) {
  std::int64_t l = 0;
  EXPECT_TRUE(ToInt64(Value::Float(1e15), l));
  EXPECT_EQ(l, 1000000000000000LL);
  EXPECT_FALSE(ToInt64(Value::Float(1e19), l));
  EXPECT_FALSE(ToInt64(Value::Float(-1e19), l));
  double d = 0;
  EXPECT_TRUE(ToFloat(Value::String("1.5e3"), d));
  EXPECT_DOUBLE_EQ(d, 1500);
  EXPECT_TRUE(ToFloat(Value::Date(3.25), d));
  EXPECT_DOUBLE_EQ(d, 3.25);
  EXPECT_FALSE(ToFloat(Value::String("1,5"), d));
  EXPECT_FALSE(ToFloat(Value::String("x"), d));
}

TEST(Convert, ToBool) {
  bool b = true;
  EXPECT_TRUE(ToBool(Value{}, b));
  EXPECT_FALSE(b);
  EXPECT_TRUE(ToBool(Value::Int32(2), b));
  EXPECT_TRUE(b);
  EXPECT_TRUE(ToBool(Value::String("false"), b));
  EXPECT_FALSE(b);
  EXPECT_TRUE(ToBool(Value::String("True"), b));
  EXPECT_TRUE(b);
  EXPECT_TRUE(ToBool(Value::String("0"), b));
  EXPECT_FALSE(b);
  EXPECT_FALSE(ToBool(Value::String("maybe"), b));
}

TEST(Convert, FloatToTextIsTheGeneralFormatOf15Digits) {
  EXPECT_EQ(FloatToText(8.0), "8");
  EXPECT_EQ(FloatToText(3.5), "3.5");
  EXPECT_EQ(FloatToText(0.1), "0.1");
  EXPECT_EQ(FloatToText(-0.25), "-0.25");
  EXPECT_EQ(FloatToText(100), "100");
  EXPECT_EQ(FloatToText(1e15), "1E15");
  EXPECT_EQ(FloatToText(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToText(0.0001), "0.0001");
  EXPECT_EQ(FloatToText(0.00001), "1E-5");
  EXPECT_EQ(FloatToText(-1.5e-7), "-1.5E-7");
  EXPECT_EQ(FloatToText(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FloatToText(2147483647.0), "2147483647");
  EXPECT_EQ(FloatToText(0), "0");
}

TEST(Convert, ToStringOfEveryKind) {
  EXPECT_EQ(ToString(Value{}), "");
  EXPECT_EQ(ToString(Value::Int32(-5)), "-5");
  EXPECT_EQ(ToString(Value::UInt32(4000000000u)), "4000000000");
  EXPECT_EQ(ToString(Value::Bool(true)), "True");
  EXPECT_EQ(ToString(Value::Bool(false)), "False");
  EXPECT_EQ(ToString(Value::Float(2.5)), "2.5");
  EXPECT_EQ(ToString(Value::String("x")), "x");
  EXPECT_EQ(ToString(Value::Date(0)), "30.12.1899");
  EXPECT_EQ(ToString(Value::Date(45000.5)), "15.03.2023 12:00:00");
}

TEST(Convert, CalendarRoundTrip) {
  int y = 0, m = 0, d = 0;
  DecodeDateParts(1, y, m, d);
  EXPECT_EQ(y, 1899);
  EXPECT_EQ(m, 12);
  EXPECT_EQ(d, 31);
  EXPECT_DOUBLE_EQ(EncodeDateParts(2000, 2, 29), 36585);
  DecodeDateParts(36585, y, m, d);
  EXPECT_EQ(y, 2000);
  EXPECT_EQ(m, 2);
  EXPECT_EQ(d, 29);
}

TEST(Convert, NumberLiteralReader) {
  Value v;
  ASSERT_TRUE(ParseNumberLiteral("1.5", v));
  EXPECT_EQ(v.kind, Kind::Float);
  ASSERT_TRUE(ParseNumberLiteral("2147483647", v));
  EXPECT_EQ(v.kind, Kind::Float);
  ASSERT_TRUE(ParseNumberLiteral("2147483646", v));
  EXPECT_EQ(v.kind, Kind::Int32);
  EXPECT_EQ(v.i, 2147483646);
  ASSERT_TRUE(ParseNumberLiteral("-2147483646", v));
  EXPECT_EQ(v.kind, Kind::Int32);
  ASSERT_TRUE(ParseNumberLiteral("1,5", v));  // other callers: "," as the separator
  EXPECT_EQ(v.kind, Kind::Float);
  EXPECT_DOUBLE_EQ(v.f, 1.5);
  ASSERT_TRUE(ParseNumberLiteral("1,000.5", v));
  EXPECT_DOUBLE_EQ(v.f, 1000.5);
  ASSERT_TRUE(ParseNumberLiteral("1.000,5", v));
  EXPECT_DOUBLE_EQ(v.f, 1000.5);
  ASSERT_TRUE(ParseNumberLiteral("5.", v));
  EXPECT_EQ(v.kind, Kind::Float);
  EXPECT_FALSE(ParseNumberLiteral("1E5", v));
  EXPECT_FALSE(ParseNumberLiteral("1.2.3", v));
  EXPECT_FALSE(ParseNumberLiteral("", v));
  EXPECT_FALSE(ParseNumberLiteral("1-2", v));
}

TEST(Convert, TextToNumberKinds) {
  Value v;
  ASSERT_TRUE(TextToNumber(" 12 ", v));
  EXPECT_EQ(v.kind, Kind::Int32);
  ASSERT_TRUE(TextToNumber("12.0", v));
  EXPECT_EQ(v.kind, Kind::Float);
  ASSERT_TRUE(TextToNumber("-3e2", v));
  EXPECT_DOUBLE_EQ(v.f, -300);
  ASSERT_TRUE(TextToNumber("3000000000", v));
  EXPECT_EQ(v.kind, Kind::Float);
  EXPECT_FALSE(TextToNumber("1e999", v));
  EXPECT_FALSE(TextToNumber("--1", v));
  std::int32_t n = 0;
  EXPECT_TRUE(TextToInt32("-2147483648", n));
  EXPECT_EQ(n, INT32_MIN);
  EXPECT_FALSE(TextToInt32("2147483648", n));
  EXPECT_FALSE(TextToInt32("1.0", n));
}

TEST(ValueJson, EveryKind) {
  EXPECT_EQ(VarToJson(TVar{"A", Value::Int32(3)}), R"({"name":"A","kind":"int32","value":3})");
  EXPECT_EQ(VarToJson(TVar{"B", Value::Float(0.1)}), R"({"name":"B","kind":"float","value":0.1})");
  EXPECT_EQ(VarToJson(TVar{"C", Value::Float(NAN)}), R"({"name":"C","kind":"float","value":null})");
  EXPECT_EQ(VarToJson(TVar{"D", Value{}}), R"({"name":"D","kind":"empty","value":null})");
  EXPECT_EQ(VarToJson(TVar{"E", Value::Bool(true)}), R"({"name":"E","kind":"bool","value":true})");
  EXPECT_EQ(VarToJson(TVar{"F", Value::UInt32(7)}), R"({"name":"F","kind":"ref","value":7})");
  EXPECT_EQ(VarToJson(TVar{"F", Value::UInt32(7)}, [](std::uint32_t) { return std::string("null"); }),
            R"({"name":"F","kind":"ref","value":null})");
  EXPECT_EQ(VarToJson(TVar{"S", Value::String("a\"\\\n\xC0")}),
            "{\"name\":\"S\",\"kind\":\"string\",\"value\":\"a\\\"\\\\\\u000a\xC3\x80\"}");
  EXPECT_EQ(JsonNumber(1e300), "1e+300");
  EXPECT_EQ(VarToJson(TVar{"G", Value::Date(2.5)}), R"({"name":"G","kind":"date","value":2.5})");
}

}  // namespace
}  // namespace ox::script
