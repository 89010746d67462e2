// The native-function contract: registration, arguments named VAR/VALUE, by-reference
// copy-back, false returns and thrown errors.
#include "platform/core/checked.h"
#include "script/script_error.h"
#include "script_test_support.h"

namespace ox::script::test {
namespace {

using Native = ScriptTest;

TEST_F(Native, SetFunctionReplacesDeletesAndKeepsOrder) {
  auto f = [](TPasCalc&, TVarList&, TVar& r) { return r.Val = Value::Int32(1), true; };
  auto g = [](TPasCalc&, TVarList&, TVar& r) { return r.Val = Value::Int32(2), true; };
  EXPECT_TRUE(calc.SetFunction("abs", f));
  EXPECT_TRUE(calc.SetFunction(" Min ", f));
  EXPECT_EQ(calc.FunctionIndex("ABS"), 0);
  EXPECT_EQ(calc.FunctionIndex("MIN"), 1);
  EXPECT_EQ(calc.FunctionIndex("abs"), -1);  // exact name
  EXPECT_TRUE(calc.SetFunction("ABS", g));
  ExpectInt(Eval("ABS(0)"), 2);
  EXPECT_TRUE(calc.SetFunction("abs ", nullptr));
  EXPECT_EQ(calc.FunctionIndex("ABS"), -1);
  EXPECT_EQ(calc.FunctionIndex("MIN"), 0);
  EXPECT_FALSE(calc.SetFunction("1BAD", f));
  EXPECT_FALSE(calc.SetFunction("NONE", nullptr));
  EXPECT_EQ(calc.Functions().Count(), 1u);
}

TEST_F(Native, ArgumentsAreNamedVarOrValue) {
  std::vector<std::string> names;
  calc.SetFunction("Probe", [&names](TPasCalc&, TVarList& args, TVar&) {
    for (const auto& a : args) names.push_back(a.Name);
    return true;
  });
  calc.Vars().AddVar(TVar{"K", Value::Int32(1)});
  calc.Vars().AddVar(TVar{"A[1]", Value::Int32(1)});
  EXPECT_TRUE(Exec("Probe(K, K + 1, 5, A[1], UNKNOWN, (K))"));
  EXPECT_EQ(names, (std::vector<std::string>{"VAR", "VALUE", "VALUE", "VAR", "VALUE", "VALUE"}));
}

TEST_F(Native, ByReferenceResults) {
  calc.SetFunction("Inc", [](TPasCalc&, TVarList& args, TVar&) {
    if (args.Count() != 1) return false;
    args[0].Val = Value::Int32(static_cast<std::int32_t>(args[0].Val.i + 1));
    return true;
  });
  EXPECT_TRUE(Exec("K := 5; Inc(K); Inc(K + 1)"));
  ExpectInt(Var("K"), 6);
}

TEST_F(Native, ResultValue) {
  calc.SetFunction("Pi", [](TPasCalc&, TVarList& args, TVar& r) {
    if (args.Count() != 0) return false;
    r.Val = Value::Float(3.25);
    return true;
  });
  EXPECT_TRUE(Exec("A := Pi; B := Pi() * 2; C := pi"));
  ExpectFloat(Var("A"), 3.25);
  ExpectFloat(Var("B"), 6.5);
}

TEST_F(Native, FalseReturnIsError7) {
  calc.SetFunction("Pi", [](TPasCalc&, TVarList& args, TVar&) { return args.Count() == 0; });
  EXPECT_FALSE(Exec("A := Pi(1)"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidParameters);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid parameters, function PI");
  EXPECT_EQ(LastLine(), "Invalid parameters, function PI (PI ( 1 )  in ) Init");
}

TEST_F(Native, ThrownErrorsKeepTheirMessage) {
  calc.SetFunction("Bad", [](TPasCalc&, TVarList&, TVar&) -> bool { throw ScriptError("bad"); });
  calc.SetFunction("Range", [](TPasCalc&, TVarList&, TVar&) -> bool {
    return ox::CheckedInt32(1LL << 40) != 0;
  });
  EXPECT_FALSE(Exec("Bad(1)"));
  EXPECT_EQ(calc.ErrorMessage(), "Invalid parameters, function BAD : bad");
  EXPECT_FALSE(Exec("X := Range"));
  EXPECT_EQ(calc.ErrorMessage(), "Invalid parameters, function RANGE : Range check error");
}

TEST_F(Native, UnknownFunctionAndBadArguments) {
  EXPECT_FALSE(Exec("X := Nope(1)"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUnknownFunction);
  EXPECT_EQ(calc.ErrorMessage(), "Unknown function: NOPE");
  calc.SetFunction("F", [](TPasCalc&, TVarList&, TVar&) { return true; });
  EXPECT_FALSE(Exec("F(1 +, 2)"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUnknownOperator);  // the argument's own error comes first
  EXPECT_FALSE(Exec("F(1, 2 3)"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidArgument);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid expression in function params: 2 3");
  EXPECT_FALSE(Exec("X := F(1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidFunctionParams);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid function params: 1 ");
}

TEST_F(Native, ArgumentsSplitAtCommasOutsideParenthesesOnly) {
  std::size_t count = 0;
  calc.SetFunction("Count", [&count](TPasCalc&, TVarList& args, TVar&) {
    count = args.Count();
    return true;
  });
  EXPECT_TRUE(Exec("Count(1, (2), 3)"));
  EXPECT_EQ(count, 3u);
  // Brackets are not counted: A[1,2] is passed as "A[1" and "2]", which fail.
  EXPECT_FALSE(Exec("A[1,2] := 0; Count(A[1,2])"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kCloseBracketExpected);
}

TEST_F(Native, DeclarationsAreEmptiedByExecute) {
  EXPECT_FALSE(Exec("FUNCTION F(X); BEGIN RESULT := X END; Y := F(1)"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUnknownFunction);
  EXPECT_EQ(calc.ErrorMessage(), "Unknown function: F");
}

}  // namespace
}  // namespace ox::script::test
