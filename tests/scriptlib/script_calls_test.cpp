#include <gtest/gtest.h>

#include <string>

#include "platform/core/random.h"
#include "script/pascalc.h"
#include "scriptlib/calendar.h"
#include "scriptlib/clock.h"
#include "scriptlib/standard_functions.h"
#include "scriptlib/text_functions.h"

namespace ox::scriptlib {
namespace {

using script::Kind;
using script::Value;

class ScriptCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStandardFunctions(calc_);
    SetLocalClock([] { return EncodeDate(2024, 3, 15) + 0.75; });
  }
  void TearDown() override {
    SetLocalClock({});
    SetUnicodeMode(false);
  }

  bool Run(const std::string& source) {
    calc_.Vars().Clear();
    return calc_.Execute(calc_.Compile(source));
  }
  Value Var(const std::string& name) {
    const script::TVar* v = calc_.Vars().Find(name);
    return v ? v->Val : Value{};
  }
  std::string Text(const std::string& name) { return Var(name).s; }
  const std::string& Error() const { return calc_.ErrorMessage(); }

  script::TPasCalc calc_;
};

TEST_F(ScriptCalls, RegistersEveryNameInOrder) {
  const auto names = StandardFunctions();
  ASSERT_EQ(names.size(), 62u);
  EXPECT_EQ(names.front().name, "Val");
  EXPECT_EQ(names[60].name, "Mod");
  EXPECT_EQ(names.back().name, "Random");
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string upper;
    for (char c : names[i].name) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    EXPECT_EQ(calc_.FunctionIndex(upper), static_cast<int>(i)) << names[i].name;
  }
}

TEST_F(ScriptCalls, AWrongArgumentCountIsInvalidParameters) {
  EXPECT_FALSE(Run("A := Copy('ABC', 1)"));
  EXPECT_EQ(Error(), "Invalid parameters, function COPY");
  EXPECT_FALSE(Run("A := Now(1)"));
  EXPECT_EQ(Error(), "Invalid parameters, function NOW");
  EXPECT_FALSE(Run("A := Format('x')"));
  EXPECT_FALSE(Run("Inc(K, 1, 2)"));
  EXPECT_TRUE(Run("A := Now; B := Now(); C := Date; D := Time"));
  EXPECT_EQ(Var("A").kind, Kind::Date);
  EXPECT_DOUBLE_EQ(Var("B").f, EncodeDate(2024, 3, 15) + 0.75);
  EXPECT_DOUBLE_EQ(Var("C").f, EncodeDate(2024, 3, 15));
  EXPECT_DOUBLE_EQ(Var("D").f, 0.75);
}

TEST_F(ScriptCalls, ByReferenceResultsReachTheVariables) {
  ASSERT_TRUE(Run("K := 5; Inc(K); J := 6; Inc(J, 2.5); N := 1; Dec(N, 3)"));
  EXPECT_EQ(Var("K").kind, Kind::Int32);
  EXPECT_EQ(Var("K").i, 6);
  EXPECT_EQ(Var("J").kind, Kind::Float);
  EXPECT_DOUBLE_EQ(Var("J").f, 8.5);
  EXPECT_EQ(Var("N").i, -2);
  ASSERT_TRUE(Run("D := EncodeDate(2024, 2, 29) + 0.5; Y := 0; M := 0; DD := 0; R := DecodeDate(D, Y, M, DD);"
                  "H := 0; MI := 0; S := 0; MS := 0; DecodeTime(D, H, MI, S, MS)"));
  EXPECT_EQ(Var("Y").kind, Kind::UInt16);
  EXPECT_EQ(Var("Y").i, 2024);
  EXPECT_EQ(Var("M").i, 2);
  EXPECT_EQ(Var("DD").i, 29);
  EXPECT_EQ(Var("H").i, 12);
  EXPECT_DOUBLE_EQ(Var("R").f, EncodeDate(2024, 2, 29) + 0.5);
  ASSERT_TRUE(Run("S := 'ABC'; R := Insert('X', S, 2); T := 'ABC'; Delete(T, 2, 1); V := 0; C := 0; Val('1.5x', V, C)"));
  EXPECT_EQ(Text("S"), "AXBC");
  EXPECT_EQ(Text("R"), "AXBC");
  EXPECT_EQ(Text("T"), "AC");
  EXPECT_EQ(Var("C").i, 4);
}

TEST_F(ScriptCalls, AResultArgumentThatIsNoVariableIsRefused) {
  EXPECT_FALSE(Run("R := DecodeDate(1, Y, M, D)"));
  EXPECT_EQ(Error(), "Invalid parameters, function DECODEDATE");
  EXPECT_FALSE(Run("Y := 0; M := 0; R := DecodeDate(1, Y, M, 3)"));
  EXPECT_FALSE(Run("R := Insert('X', 'ABC', 2)"));
  EXPECT_FALSE(Run("V := 0; Val('1', V, 5)"));
  EXPECT_TRUE(Run("Inc(5)"));
}

TEST_F(ScriptCalls, RaisedErrorsCarryTheirMessage) {
  EXPECT_FALSE(Run("A := Mod(1, 0)"));
  EXPECT_EQ(Error(), "Invalid parameters, function MOD : Division by zero");
  EXPECT_FALSE(Run("A := EncodeDate(2023, 2, 29)"));
  EXPECT_EQ(Error(), "Invalid parameters, function ENCODEDATE : Invalid argument to date encode");
  // (2147483647 written as a literal is a float.)
  EXPECT_FALSE(Run("K := 2147483646; Inc(K); Inc(K)"));
  EXPECT_EQ(Var("K").kind, Kind::Int32);
  EXPECT_EQ(Var("K").i, 2147483647);
  EXPECT_FALSE(Run("K := -2147483646; Dec(K, 3)"));
  for (const char* bad : {"A := Ln(0)", "A := Sqrt(-1)", "A := ArcSin(2)", "A := Exp(1000)", "A := Trunc(1e10)",
                          "A := Round(1e10)", "A := Int(1e300)", "A := StrToFloat('x')", "A := StrToDate('x')",
                          "A := Copy('ABC', 1e10, 1)", "A := Format('%d', 'x')", "A := IntPower(0, -1)",
                          "A := Sqr(1e200)", "A := DecodeDate(1e300, Y, M, D)", "A := FloatToStr('x')"})
    EXPECT_FALSE(Run(bad)) << bad;
}

TEST_F(ScriptCalls, Arithmetic) {
  ASSERT_TRUE(Run("A := Round(-2.5); B := Round(3.5); C := Trunc(-2.7); D := Int(-2.7); E := Floor(-2.5);"
                  "F := Ceil(-2.5); G := Abs(-2147483647 - 1); H := Sign(-0.4); I := Sign(-3); J := Frac(-2.5);"
                  "K := Mod(-7, 2); L := Mod(-2147483647 - 1, -1); M := IntPower(2, 10); N := Sqr(3)"));
  EXPECT_EQ(Var("A").i, -2);
  EXPECT_EQ(Var("B").i, 4);
  EXPECT_EQ(Var("C").i, -2);
  EXPECT_EQ(Var("D").kind, Kind::Int64);
  EXPECT_EQ(Var("D").i, -2);
  EXPECT_EQ(Var("E").i, -3);
  EXPECT_EQ(Var("F").i, -2);
  EXPECT_EQ(Var("G").kind, Kind::Float);
  EXPECT_DOUBLE_EQ(Var("G").f, 2147483648.0);
  EXPECT_EQ(Var("H").kind, Kind::Int8);
  EXPECT_EQ(Var("H").i, 0);
  EXPECT_EQ(Var("I").i, -1);
  EXPECT_DOUBLE_EQ(Var("J").f, -0.5);
  EXPECT_EQ(Var("K").i, -1);
  EXPECT_EQ(Var("L").i, 0);
  EXPECT_DOUBLE_EQ(Var("M").f, 1024.0);
  EXPECT_DOUBLE_EQ(Var("N").f, 9.0);
}

TEST_F(ScriptCalls, MinMaxDecodeAndRandom) {
  ASSERT_TRUE(Run("A := Max(1, 5, 3); B := Min('b', 'a', 'c'); C := Decode(2, 1, 'A', 2, 'B');"
                  "D := Decode(3, 1, 'A', 2, 'B', 'Z'); E := Max(7); R := Random(0)"));
  EXPECT_EQ(Var("A").i, 5);
  EXPECT_EQ(Text("B"), "a");
  EXPECT_EQ(Text("C"), "B");
  EXPECT_EQ(Text("D"), "Z");
  EXPECT_EQ(Var("E").i, 7);
  EXPECT_EQ(Var("R").i, 0);
  EXPECT_FALSE(Run("A := Max(1, 2.5)"));
  EXPECT_FALSE(Run("A := Decode(3, 1, 'A', 2, 'B')"));
  platform::SeedSharedRandom(7);
  ASSERT_TRUE(Run("R := Random(10)"));
  EXPECT_GE(Var("R").i, 0);
  EXPECT_LT(Var("R").i, 10);
}

TEST_F(ScriptCalls, VariablesByName) {
  EXPECT_FALSE(Run("SetVar('N', 1)"));
  ASSERT_TRUE(Run("N := 0; SetVar('n', 5); A := GetVar('n'); B := GetVar('nothing')"));
  EXPECT_EQ(Var("N").i, 5);
  EXPECT_EQ(Var("A").i, 5);
  EXPECT_EQ(Var("B").kind, Kind::UInt8);
}

TEST_F(ScriptCalls, StringsAndConversions) {
  ASSERT_TRUE(Run("A := Copy('ABCDEF', 2, 3); B := Poss('C', 'ABC'); C := Char(65 + 256); D := IntToStr(-42);"
                  "E := StrToInt('$ff'); F := StrToInt('abc'); G := FloatToStr(100); H := StrToFloat(' 1.5 ');"
                  "I := UpperCase('abc' + Char(224)); J := LowerCase('ABC' + Char(168)); K := Trim('  x  ');"
                  "L := Format('%d items', 3); M := Length('abc'); N := DelLastChar('abc')"));
  EXPECT_EQ(Text("A"), "BCD");
  EXPECT_EQ(Var("B").i, 3);
  EXPECT_EQ(Text("C"), "A");
  EXPECT_EQ(Text("D"), "-42");
  EXPECT_EQ(Var("E").i, 255);
  EXPECT_EQ(Var("F").i, 0);
  EXPECT_EQ(Text("G"), "100");
  EXPECT_DOUBLE_EQ(Var("H").f, 1.5);
  EXPECT_EQ(Text("I"), "ABC\xC0");
  EXPECT_EQ(Text("J"), "abc\xB8");
  EXPECT_EQ(Text("K"), "x");
  EXPECT_EQ(Text("L"), "3 items");
  EXPECT_EQ(Var("M").i, 3);
  EXPECT_EQ(Text("N"), "ab");
}

TEST_F(ScriptCalls, UnicodeModeChangesLengthAndDelLastChar) {
  SetUnicodeMode(true);
  ASSERT_TRUE(Run("S := 'A' + Char(1) + Char(16) + Char(4); N := Length(S); T := DelLastChar(S)"));
  EXPECT_EQ(Var("N").i, 2);
  EXPECT_EQ(Text("T"), "A");
}

TEST_F(ScriptCalls, DatesAsText) {
  ASSERT_TRUE(Run("D := EncodeDate(2024, 1, 31) + EncodeTime(18, 5, 0, 0); A := DateToStr(D); B := TimeToStr(D);"
                  "C := FormatDateTime('dddd d mmm yyyy h:nn am/pm', D); E := IncMonth(D, 1); F := DayOfWeek(D);"
                  "G := YearDays(D); H := YearFrac(EncodeDate(2023, 1, 1), EncodeDate(2024, 1, 1));"
                  "I := StrToDate('29.02.2024'); J := StrToTime('12:30')"));
  EXPECT_EQ(Text("A"), "31.01.2024");
  EXPECT_EQ(Text("B"), "18:05:00");
  EXPECT_EQ(Text("C"), "Wednesday 31 Jan 2024 6:05 pm");
  EXPECT_EQ(Var("E").kind, Kind::Date);
  EXPECT_EQ(DecodeDate(Var("E").f).day, 29);
  EXPECT_EQ(Var("F").i, 4);
  EXPECT_EQ(Var("G").i, 366);
  EXPECT_DOUBLE_EQ(Var("H").f, 1.0);
  EXPECT_DOUBLE_EQ(Var("I").f, EncodeDate(2024, 2, 29));
  EXPECT_DOUBLE_EQ(Var("J").f, 0.5 + 1.0 / 48);
}

}  // namespace
}  // namespace ox::scriptlib
