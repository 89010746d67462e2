// The long-run guard and the bound on string growth: scripts that never end or grow a string
// without end stop with one error, after what they did before it.
#include "script/script_error.h"
#include "script_test_support.h"

namespace ox::script::test {
namespace {

class RunGuardTest : public ScriptTest {
 protected:
  RunGuardTest() { host.Limit.steps = 100'000; }
};

TEST_F(RunGuardTest, EndlessScriptsStopWithOneErrorNamingTheEvent) {
  FakeElement e("Door", 7);
  host.Current = &e;
  host.Event = "ms_Down";
  for (const char* source : {
           "N := 0; WHILE TRUE DO N := N + 1",
           "N := 0; WHILE TRUE DO ;",
           "N := 0; REPEAT UNTIL FALSE",
           "N := 0; REPEAT N := N + 1; BEGIN END UNTIL N < 0",
           "N := 0; L: N := N + 1; GOTO L",
           "N := 0; FOR N := 1 TO 2147483647 DO ;",
           "PROCEDURE P(); BEGIN WHILE 1 DO ; END; N := 0; P()",
       }) {
    host.Lines.clear();
    calc.Vars().Clear();
    EXPECT_FALSE(RunScript(source)) << source;
    EXPECT_EQ(calc.ErrorCode(), 30) << source;
    EXPECT_EQ(calc.ErrorMessage(), "Script runs too long") << source;
    ASSERT_EQ(host.Lines.size(), 1u) << source;
    EXPECT_NE(host.Lines[0].find("in Door <TOxFake>) ms_Down"), std::string::npos) << host.Lines[0];
    EXPECT_TRUE(Has("N")) << "what ran before the stop stays: " << source;
  }
}

TEST_F(RunGuardTest, StopsAtTheSameStepEveryRun) {
  ASSERT_FALSE(RunScript("N := 0; WHILE TRUE DO N := N + 1"));
  const std::int64_t first = Var("N").i;
  calc.Vars().Clear();
  ASSERT_FALSE(RunScript("N := 0; WHILE TRUE DO N := N + 1"));
  EXPECT_EQ(Var("N").i, first);
  EXPECT_GT(first, 30'000);  // a pass is two steps: the statement and the loop pass
}

TEST_F(RunGuardTest, ScriptsBelowTheLimitRunAsBefore) {
  host.Limit.steps = 0;
  ASSERT_TRUE(RunScript("K := 0; I := 0; FOR I := 1 TO 300000 DO K := K + 1"));
  ExpectInt(Var("K"), 300000);
  EXPECT_GT(host.RunChecks, 100);
  host.Limit.steps = 100'000;
  calc.Vars().Clear();
  ASSERT_TRUE(RunScript("K := 0; I := 0; FOR I := 1 TO 40000 DO K := K + 1"));
  ExpectInt(Var("K"), 40000);
}

TEST_F(RunGuardTest, TheLimitCountsEachRunFromItsStart) {
  for (int run = 0; run < 3; ++run) {
    calc.Vars().Clear();
    EXPECT_TRUE(RunScript("K := 0; I := 0; FOR I := 1 TO 40000 DO K := K + 1")) << run;
  }
}

TEST_F(ScriptTest, AStringPastTheBoundIsOutOfMemory) {
  calc.Vars().Append(TVar{"S", Value::String(std::string(kMaxStringBytes - 1, 'x'))});
  EXPECT_TRUE(RunScript("S := S + 'x'"));
  EXPECT_EQ(calc.Vars().Find("S")->Val.s.size(), kMaxStringBytes);
  EXPECT_FALSE(RunScript("N := 1; S := S + 'x'; N := 2"));
  EXPECT_EQ(calc.ErrorCode(), 31);
  EXPECT_EQ(calc.ErrorMessage(), "Out of memory");
  ExpectInt(Var("N"), 1);
  EXPECT_EQ(calc.Vars().Find("S")->Val.s.size(), kMaxStringBytes);
}

TEST_F(ScriptTest, ANativeFunctionsOverlongStringIsOutOfMemory) {
  calc.SetFunction("Grow", [](TPasCalc&, TVarList&, TVar&) -> bool { throw StringTooLong(); });
  EXPECT_FALSE(Exec("X := 1; Y := Grow()"));
  EXPECT_EQ(calc.ErrorCode(), 31);
  EXPECT_EQ(calc.ErrorMessage(), "Out of memory");
  EXPECT_TRUE(Has("X"));
}

}  // namespace
}  // namespace ox::script::test
