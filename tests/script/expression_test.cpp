// The evaluator: precedence, prefix operators, literals, names, indexing, the operand-class
// families and their result kinds, and the errors.
#include <climits>
#include <vector>

#include "script/operators.h"
#include "script_test_support.h"

namespace ox::script::test {
namespace {

using Expr = ScriptTest;

TEST_F(Expr, SpecArithmetic) {
  ExpectFloat(Eval("7 / 2"), 3.5);
  ExpectInt(Eval("7 * 2"), 14);
  ExpectFloat(Eval("2 ^ 3"), 8.0);
  ExpectString(Eval("'AB' + 'C'"), "ABC");
  ExpectFloat(Eval("'5' + 3"), 8.0);
  ExpectFloat(Eval("'6' - '2'"), 4.0);
  ExpectBool(Eval("TRUE AND FALSE"), false);
  ExpectInt(Eval("6 AND 3"), 2);
}

TEST_F(Expr, Precedence) {
  ExpectInt(Eval("1 OR 2 AND 0"), 1);
  ExpectInt(Eval("1 + 2 * 3"), 7);
  ExpectFloat(Eval("2 * 3 ^ 2"), 18.0);
  ExpectFloat(Eval("-2 ^ 2"), 4.0);
  ExpectInt(Eval("(1 + 2) * 3"), 9);
  ExpectInt(Eval("10 - 3 - 2"), 5);  // left-associative
  ExpectFloat(Eval("2 ^ 3 ^ 2"), 64.0);
  ExpectInt(Eval("1 SHL 4 * 2"), 32);  // SHL binds tighter than *
}

TEST_F(Expr, NotYieldsANumber) {
  ExpectInt(Eval("NOT 5"), 0, Kind::UInt8);
  ExpectInt(Eval("NOT 0"), 1, Kind::UInt8);
  ExpectInt(Eval("NOT FALSE"), 1, Kind::UInt8);
  ExpectBool(Eval("NOT 1 = 0"), true);  // (NOT 1) = 0
}

TEST_F(Expr, OnlyOnePrefixOperator) {
  Eval("- -1", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUnknownOperator);
  EXPECT_EQ(calc.ErrorMessage(), "Unknown or invalid operator in expression: -");
  calc.ResetError();
  Eval("NOT NOT 1", false);
  EXPECT_EQ(calc.ErrorMessage(), "Unknown or invalid operator in expression: NOT");
  calc.ResetError();
  ExpectInt(Eval("+5"), 5);
  ExpectInt(Eval("-5"), -5);
}

TEST_F(Expr, Literals) {
  ExpectFloat(Eval("1.5"), 1.5);
  ExpectFloat(Eval("2147483647"), 2147483647.0);
  ExpectInt(Eval("2147483646"), 2147483646);
  ExpectString(Eval("'abc'"), "abc");
  ExpectString(Eval("\"KEY\""), "\"KEY\"");  // a language key alone keeps its quotes
  ExpectBool(Eval("TRUE"), true);
  Eval("1E5", false);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid number: 1E5");
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidNumber);
}

TEST_F(Expr, CommaIsNotADecimalSeparatorInScripts) {
  Eval("1,5", false);  // two literals and a comma: not all consumed, no error recorded
  EXPECT_EQ(calc.Error(), ScriptErrorId::kNone);
}

TEST_F(Expr, UnterminatedString) {
  Eval("'abc", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUnterminatedString);
  EXPECT_EQ(calc.ErrorMessage(), "Unterminated string: 'abc");
}

TEST_F(Expr, EmptyExpression) {
  Eval("", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kEmptyExpression);
  EXPECT_EQ(calc.ErrorMessage(), "Empty string - not expression");
}

TEST_F(Expr, MissingParenthesis) {
  Eval("(1 + 2", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kCloseParenExpected);
  EXPECT_EQ(calc.ErrorMessage(), "')' expected");
}

TEST_F(Expr, UnknownNameReadsZero) {
  ExpectInt(Eval("FOO"), 0, Kind::UInt8);
  ASSERT_EQ(host.Lines.size(), 1u);
  EXPECT_EQ(host.Lines[0], "Not var NIL FOO (in  Init");
}

TEST_F(Expr, LanguageKeysOfDoubleQuotedOperands) {
  host.Texts["TITLE"] = "The Game";
  ExpectString(Eval("\"TITLE\" + ''"), "The Game");
  ExpectString(Eval("\"OTHER\" + ''"), "\"OTHER\"");
  ExpectString(Eval("\"TITLE\""), "\"TITLE\"");
  ExpectBool(Eval("\"TITLE\" = 'The Game'"), true);
}

TEST_F(Expr, StringIndexing) {
  calc.Vars().AddVar(TVar{"S", Value::String("ABC")});
  ExpectString(Eval("S[2]"), "B");
  Eval("S[4]", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kStringIndexOutOfRange);
  EXPECT_EQ(calc.ErrorMessage(), "String index out of range: 4");
  calc.ResetError();
  Eval("S[0]", false);
  EXPECT_EQ(calc.ErrorMessage(), "String index out of range: 0");
  calc.ResetError();
  Eval("S[1,2]", false);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid string index");
  calc.ResetError();
  Eval("S[]", false);
  EXPECT_EQ(calc.ErrorMessage(), "Empty string index");
  calc.ResetError();
  calc.Vars().AddVar(TVar{"N", Value::Int32(5)});
  Eval("N[1]", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidVariableType);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid variable type: N");
}

TEST_F(Expr, ArrayElements) {
  calc.Vars().AddVar(TVar{"A[1,2]", Value::Int32(12)});
  calc.Vars().AddVar(TVar{"A[3]", Value::Int32(3)});
  calc.Vars().AddVar(TVar{"I", Value::Int32(3)});
  ExpectInt(Eval("A[1,2]"), 12);
  ExpectInt(Eval("A[I]"), 3);
  ExpectInt(Eval("A[I - 2, 1 + 1]"), 12);
  Eval("A", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kDuplicateArray);
  EXPECT_EQ(calc.ErrorMessage(), "Array with same name exist : A");
  calc.ResetError();
  Eval("I[1][1]", false);
  EXPECT_EQ(calc.ErrorMessage(), "Variable with same name exist : I");
  calc.ResetError();
  Eval("A[1", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kCloseBracketExpected);
  EXPECT_EQ(calc.ErrorMessage(), "] expected");
  calc.ResetError();
  Eval("A['X']", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidIndex);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid index: 'X'");
  calc.ResetError();
  Eval("A[1 +]", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUnknownOperator);
}

TEST_F(Expr, ArrayElementOfAStringIsIndexedTwice) {
  calc.Vars().AddVar(TVar{"T[2]", Value::String("XYZ")});
  ExpectString(Eval("T[2][3]"), "Z");
}

// Result kinds per operand-class family.
TEST_F(Expr, FamilyI) {
  calc.Vars().AddVar(TVar{"B8", Value::UInt8(200)});
  ExpectInt(Eval("B8 + 100"), 300);
  ExpectInt(Eval("TRUE + 1"), 0);  // B,I -> I; true is -1
  ExpectFloat(Eval("6 / 3"), 2.0);
  ExpectInt(Eval("5 XOR 1"), 4);
  ExpectInt(Eval("-1 SHR 28"), 15);
  ExpectInt(Eval("1 SHL 31"), INT32_MIN);
}

// The in-place path for small integers must give what the operator table gives, or step aside.
TEST(SmallIntegers, TheInPlacePathGivesWhatTheOperatorsGive) {
  std::vector<Value> values;
  for (std::int32_t n : {0, 1, -1, 7, 46341, INT32_MAX, INT32_MIN}) values.push_back(Value::Int32(n));
  for (std::uint8_t n : {0, 3, 255}) values.push_back(Value::UInt8(n));
  values.push_back(Value{Kind::Int8, -5, 0.0, {}});
  const int ops[] = {tkPlus, tkMinus, tkMul, tkDiv, tkAnd, tkOr, tkXor, tkShl, tkShr,
                     tkEq,   tkNe,    tkGt,  tkLt,  tkGe,  tkLe, tkPow};
  for (const Value& a : values)
    for (const Value& b : values)
      for (int op : ops) {
        Value fast = a, general;
        const bool generalOk = ApplyOperator(op, a, b, general);
        if (!CombineSmallIntegers(op, fast, b, fast)) {
          EXPECT_EQ(fast.i, a.i);  // left as it was
          EXPECT_TRUE(!generalOk || op == tkDiv || op == tkShl || op == tkShr || op == tkPow)
              << TokenText(op) << " " << a.i << " " << b.i;
          continue;
        }
        ASSERT_TRUE(generalOk) << TokenText(op) << " " << a.i << " " << b.i;
        EXPECT_EQ(fast.kind, general.kind) << TokenText(op) << " " << a.i << " " << b.i;
        EXPECT_EQ(fast.i, general.i) << TokenText(op) << " " << a.i << " " << b.i;
      }
  Value wide{Kind::Int32, std::int64_t{1} << 40, 0.0, {}};  // not a 32-bit value: no short cut
  EXPECT_FALSE(CombineSmallIntegers(tkPlus, wide, Value::Int32(1), wide));
}

TEST_F(Expr, FamilyL) {
  calc.Vars().AddVar(TVar{"R", Value::UInt32(4000000000u)});
  calc.Vars().AddVar(TVar{"W", Value{Kind::UInt16, 7, 0, {}}});
  ExpectInt(Eval("R + 1"), 4000000001LL, Kind::Int64);
  ExpectInt(Eval("W * 2"), 14, Kind::Int64);
  ExpectBool(Eval("R > 1"), true);
  ExpectFloat(Eval("W / 2"), 3.5);
}

TEST_F(Expr, FamilyF) {
  ExpectFloat(Eval("1.5 + 1"), 2.5);
  ExpectFloat(Eval("'1.5' * 2"), 3.0);
  ExpectInt(Eval("2.0 AND 3"), 2);
  ExpectBool(Eval("'10' < 9"), false);  // a string against a number compares as numbers
  ExpectBool(Eval("1.5 = 1.5"), true);
}

TEST_F(Expr, FamilyS) {
  ExpectBool(Eval("'10' < '9'"), true);  // byte strings
  ExpectBool(Eval("'a' = 'A'"), false);  // letter case counts
  ExpectFloat(Eval("'6' / '4'"), 1.5);
  ExpectInt(Eval("'6' AND '3'"), 2);
  ExpectBool(Eval("'\xE0' > 'z'"), true);  // bytes compare unsigned
}

TEST_F(Expr, FamilyB) {
  ExpectBool(Eval("TRUE XOR TRUE"), false);
  ExpectBool(Eval("TRUE OR FALSE"), true);
  ExpectFloat(Eval("TRUE + TRUE"), -2.0);
  ExpectBool(Eval("FALSE < TRUE"), true);
  ExpectBool(Eval("'TRUE' AND TRUE"), true);
}

TEST_F(Expr, FamilyD) {
  calc.Vars().AddVar(TVar{"D1", Value::Date(100.5)});
  calc.Vars().AddVar(TVar{"D2", Value::Date(90.0)});
  Value v = Eval("D1 + 1");
  EXPECT_EQ(v.kind, Kind::Date);
  EXPECT_DOUBLE_EQ(v.f, 101.5);
  v = Eval("D1 - 1");
  EXPECT_EQ(v.kind, Kind::Date);
  ExpectFloat(Eval("D1 - D2"), 10.5);
  ExpectFloat(Eval("D1 * 2"), 201.0);
  ExpectBool(Eval("D1 > D2"), true);
}

TEST_F(Expr, FamilyE) {
  calc.Vars().AddVar(TVar{"E", Value{}});
  ExpectInt(Eval("E + 1"), 1);
  ExpectString(Eval("E + 'x'"), "x");
  ExpectBool(Eval("E OR TRUE"), true);
  ExpectFloat(Eval("E + 1.5"), 1.5);
  ExpectBool(Eval("E = 0"), true);
}

TEST_F(Expr, FailuresAreError5) {
  struct Case {
    const char* expr;
    const char* message;
  } cases[] = {
      {"1 / 0", "Invalid operand types for \"/\""},
      {"1.5 / 0", "Invalid operand types for \"/\""},
      {"2147483646 + 2", "Invalid operand types for \"+\""},
      {"-2147483646 - 5", "Invalid operand types for \"-\""},
      {"65536 * 65536", "Invalid operand types for \"*\""},
      {"1 SHL 32", "Invalid operand types for \"SHL\""},
      {"1 SHR -1", "Invalid operand types for \"SHR\""},
      {"'x' - 1", "Invalid operand types for \"-\""},
      {"'x' + 1", "Invalid operand types for \"+\""},
      {"10000000000.0 AND 1", "Invalid operand types for \"AND\""},
      {"10 ^ 400", "Invalid operand types for \"^\""},
      {"(0 - 8) ^ 0.5", "Invalid operand types for \"^\""},
      {"NOT 'x'", "Invalid operand types for \"NOT\""},
      {"-'x'", "Invalid operand types for \"-\""},
      {"3000000000.0 OR 1", "Invalid operand types for \"OR\""},
  };
  for (const auto& c : cases) {
    calc.ResetError();
    Eval(c.expr, false);
    EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidOperandTypes) << c.expr;
    EXPECT_EQ(calc.ErrorMessage(), c.message) << c.expr;
  }
}

TEST_F(Expr, LongOverflowIsAnError) {
  calc.Vars().AddVar(TVar{"L", Value::Int64(INT64_MAX)});
  Eval("L + 1", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidOperandTypes);
  calc.ResetError();
  Eval("L SHL 64", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidOperandTypes);
  calc.ResetError();
  calc.Vars().AddVar(TVar{"M", Value::Int64(INT64_MIN)});
  Eval("-M", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidOperandTypes);
}

TEST_F(Expr, UnknownOperatorInExpression) {
  Eval("1 + )", false);
  EXPECT_EQ(calc.ErrorMessage(), "Unknown or invalid operator in expression: )");
  calc.ResetError();
  Eval(":= 1", false);
  EXPECT_EQ(calc.ErrorMessage(), "Unknown or invalid operator in expression: :=");
}

TEST_F(Expr, OnlyTheFirstErrorIsKept) {
  Eval("1 / 0", false);
  Eval("'abc", false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidOperandTypes);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid operand types for \"/\"");
}

TEST_F(Expr, DeepParenthesesStopWithAnError) {
  std::string e(5000, '(');
  e += "1";
  e += std::string(5000, ')');
  Eval(e, false);
  EXPECT_EQ(calc.Error(), ScriptErrorId::kTooDeepNesting);
}

TEST_F(Expr, EvaluateNestsAndRestoresState) {
  // A native function that evaluates while the outer expression is half-read.
  calc.SetFunction("Twice", [](TPasCalc& c, TVarList& args, TVar& result) {
    TVar inner;
    if (!c.Evaluate(TokenizeSource("20 + 1"), inner)) return false;
    result.Val = Value::Int32(static_cast<std::int32_t>(inner.Val.i * 2 + args.Count()));
    return true;
  });
  ExpectInt(Eval("1 + Twice + 1"), 44);
  ExpectInt(Eval("Twice(1, 2) * 1"), 44);
}

}  // namespace
}  // namespace ox::script::test
