// Statements, their signals and their error messages (whole report lines where the engine fixes
// them: message, " (", the statement detokenised with a blank after each token, " in ",
// the element context, ") ", the event name).
#include "script_test_support.h"

namespace ox::script::test {
namespace {

using Stmt = ScriptTest;

TEST_F(Stmt, AssignmentsAndTheLastStatementNeedsNoSemicolon) {
  EXPECT_TRUE(Exec("A := 1; B := A + 1"));
  ExpectInt(Var("A"), 1);
  ExpectInt(Var("B"), 2);
  EXPECT_TRUE(host.Lines.empty());
}

TEST_F(Stmt, LowerCaseSourceIsUpperCased) {
  EXPECT_TRUE(Exec("abc := 'Mixed'; x := abc"));
  ExpectString(Var("X"), "Mixed");
}

TEST_F(Stmt, ForNeedsAnExistingControlVariable) {
  EXPECT_FALSE(Exec("FOR I := 1 TO 3 DO K := K + 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidLoopVariable);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid variable name: I");
  EXPECT_EQ(LastLine(), "Invalid variable name: I (FOR I := 1 TO 3 DO K := K + 1  in ) Init");
}

TEST_F(Stmt, ForRunsAndLeavesTheLastValue) {
  EXPECT_TRUE(Exec("I := 0; K := 0; FOR I := 1 TO 3 DO K := K + 1"));
  ExpectInt(Var("I"), 3);
  ExpectInt(Var("K"), 3);
}

TEST_F(Stmt, ForDownToAndZeroRuns) {
  EXPECT_TRUE(Exec("I := 7; K := 0; FOR I := 3 TO 1 DO K := K + 1"));
  ExpectInt(Var("I"), 7);
  ExpectInt(Var("K"), 0);
  EXPECT_TRUE(Exec("I := 0; S := 0; FOR I := 3 DOWNTO 1 DO S := S * 10 + I"));
  ExpectInt(Var("S"), 321);
  // A string operand against a number is the F family: an empty string is no number.
  EXPECT_FALSE(Exec("I := 0; S := ''; FOR I := 3 DOWNTO 1 DO S := S + I"));
  EXPECT_EQ(calc.ErrorMessage(), "Invalid operand types for \"+\"");
}

TEST_F(Stmt, ForBodyCannotChangeTheCount) {
  EXPECT_TRUE(Exec("I := 0; K := 0; FOR I := 1 TO 3 DO BEGIN I := 10; K := K + 1 END"));
  ExpectInt(Var("K"), 3);
  ExpectInt(Var("I"), 10);
}

TEST_F(Stmt, ForBoundsAreEvaluatedOnce) {
  EXPECT_TRUE(Exec("I := 0; N := 3; K := 0; FOR I := 1 TO N DO BEGIN N := 10; K := K + 1 END"));
  ExpectInt(Var("K"), 3);
}

TEST_F(Stmt, ForAtTheEndOfTheIntegerRangeTerminates) {
  EXPECT_TRUE(Exec("I := 0; K := 0; FOR I := 2147483646 TO 2147483646 + 1 DO K := K + 1"));
  ExpectInt(Var("K"), 2);
}

TEST_F(Stmt, ForErrors) {
  EXPECT_FALSE(Exec("FOR I := 1 DO X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kToExpected);
  EXPECT_EQ(calc.ErrorMessage(), "TO or DOWNTO expected");
  EXPECT_FALSE(Exec("FOR 1 := 1 TO 2 DO X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kForVariableExpected);
  EXPECT_EQ(calc.ErrorMessage(), "FOR control variable expected");
  EXPECT_FALSE(Exec("I := 0; FOR I = 1 TO 2 DO X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kForAssignmentExpected);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid \xEE\xF0" "erator: = (':=' expected ");
  EXPECT_FALSE(Exec("I := 0; FOR I := 1 TO 2 X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kDoExpected);
  EXPECT_EQ(calc.ErrorMessage(), "DO expected");
  EXPECT_FALSE(Exec("I := 0; FOR I := 'A' TO 2 DO X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidLoopValue);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid loop variable value ");
}

TEST_F(Stmt, ElseAfterSemicolon) {
  EXPECT_FALSE(Exec("IF A THEN X := 1; ELSE X := 2"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kElseWithoutIf);
  EXPECT_EQ(calc.ErrorMessage(), "ELSE without IF");
  EXPECT_EQ(LastLine(), "ELSE without IF (ELSE X := 2  in ) Init");
}

TEST_F(Stmt, IfThenElse) {
  EXPECT_TRUE(Exec("A := 1; IF A = 1 THEN X := 'yes' ELSE X := 'no'"));
  ExpectString(Var("X"), "yes");
  EXPECT_TRUE(Exec("A := 2; IF A = 1 THEN X := 'yes' ELSE X := 'no'"));
  ExpectString(Var("X"), "no");
  EXPECT_TRUE(Exec("Y := 0; IF 0 THEN Y := 1"));
  ExpectInt(Var("Y"), 0);
  EXPECT_TRUE(Exec("IF 'TRUE' THEN Z := 1"));
  ExpectInt(Var("Z"), 1);
}

TEST_F(Stmt, ElseBindsToTheOuterIf) {
  EXPECT_TRUE(Exec("A := 1; B := 0; X := 0; IF A THEN IF B THEN X := 1 ELSE X := 2"));
  ExpectInt(Var("X"), 0);  // the inner IF has no ELSE
  EXPECT_TRUE(Exec("A := 0; B := 0; X := 0; IF A THEN IF B THEN X := 1 ELSE X := 2"));
  ExpectInt(Var("X"), 2);
}

TEST_F(Stmt, IfConditionErrors) {
  EXPECT_FALSE(Exec("IF 'maybe' THEN X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidConditionType);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid condition type");
  EXPECT_FALSE(Exec("IF 1 2 THEN X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kErrorInExpression);
  EXPECT_EQ(calc.ErrorMessage(), "Error in expression");
  EXPECT_EQ(LastLine(), "Error in expression (IF 1 2 THEN X := 1  in ) Init");
}

TEST_F(Stmt, GotoBackwardFromAThenPart) {
  EXPECT_TRUE(Exec("N := 0; L1: N := N + 1; IF N < 5 THEN GOTO L1"));
  ExpectInt(Var("N"), 5);
}

TEST_F(Stmt, GotoForwardAndNumericLabels) {
  EXPECT_TRUE(Exec("X := 1; GOTO 10; X := 2; 10: Y := X"));
  ExpectInt(Var("Y"), 1);
  EXPECT_TRUE(Exec("X := 0; BEGIN X := 1; GOTO DONE; X := 2 END; X := 3; DONE: Z := X"));
  ExpectInt(Var("Z"), 1);
}

TEST_F(Stmt, GotoToAMissingLabel) {
  EXPECT_FALSE(Exec("GOTO L9"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kLabelNotFound);
  EXPECT_EQ(calc.ErrorMessage(), "Label L9 not exist or unreacheble");
}

TEST_F(Stmt, GotoNeverEntersANestedList) {
  EXPECT_FALSE(Exec("GOTO INNER; BEGIN INNER: X := 1 END"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kLabelNotFound);
}

TEST_F(Stmt, GotoErrors) {
  EXPECT_FALSE(Exec("GOTO 'X'"));
  EXPECT_EQ(calc.ErrorMessage(), "Invalid label in GOTO");
  EXPECT_FALSE(Exec("GOTO"));
  EXPECT_EQ(calc.ErrorMessage(), "Invalid label in GOTO");
  EXPECT_FALSE(Exec("GOTO A B"));
  EXPECT_EQ(calc.ErrorMessage(), "Error in GOTO statement");
}

TEST_F(Stmt, BreakOutsideLoop) {
  EXPECT_FALSE(Exec("BREAK"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kOutsideLoop);
  EXPECT_EQ(calc.ErrorMessage(), "BREAK outside loop");
  EXPECT_EQ(LastLine(), "BREAK outside loop (BREAK  in ) Init");
  EXPECT_FALSE(Exec("BEGIN BREAK END"));
  EXPECT_EQ(calc.ErrorMessage(), "BREAK outside loop");
  EXPECT_FALSE(Exec("IF 1 THEN CONTINUE"));
  EXPECT_EQ(calc.ErrorMessage(), "CONTINUE outside loop");
}

TEST_F(Stmt, BreakAndContinueInLoops) {
  EXPECT_TRUE(Exec("I := 0; K := 0; FOR I := 1 TO 10 DO BEGIN IF I > 3 THEN BREAK; K := K + I END"));
  ExpectInt(Var("K"), 6);
  ExpectInt(Var("I"), 4);
  EXPECT_TRUE(Exec("I := 0; K := 0; FOR I := 1 TO 5 DO BEGIN IF I = 2 THEN CONTINUE; K := K + I END"));
  ExpectInt(Var("K"), 13);
  EXPECT_TRUE(Exec("N := 0; WHILE TRUE DO BEGIN N := N + 1; IF N = 4 THEN BREAK END"));
  ExpectInt(Var("N"), 4);
}

TEST_F(Stmt, ExitEndsTheRun) {
  EXPECT_TRUE(Exec("X := 1; EXIT; X := 2"));
  ExpectInt(Var("X"), 1);
  EXPECT_TRUE(Exec("I := 0; X := 0; FOR I := 1 TO 5 DO BEGIN X := I; IF I = 2 THEN EXIT END; X := 99"));
  ExpectInt(Var("X"), 2);
}

TEST_F(Stmt, SignalKeywordWithExtraTokens) {
  EXPECT_FALSE(Exec("EXIT 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidKeywordStatement);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid EXIT operator");
  EXPECT_FALSE(Exec("I := 0; FOR I := 1 TO 2 DO BREAK X"));
  EXPECT_EQ(calc.ErrorMessage(), "Invalid BREAK operator");
}

TEST_F(Stmt, WhileLoop) {
  EXPECT_TRUE(Exec("N := 0; WHILE N < 10 DO N := N + 3"));
  ExpectInt(Var("N"), 12);
  EXPECT_FALSE(Exec("WHILE 1 N := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kDoExpected);
  EXPECT_EQ(calc.ErrorMessage(), "DO expected");
}

TEST_F(Stmt, RepeatLoop) {
  EXPECT_TRUE(Exec("N := 0; REPEAT N := N + 1 UNTIL N > 3"));
  ExpectInt(Var("N"), 4);
  EXPECT_TRUE(Exec("N := 0; REPEAT N := N + 1; M := N * 2 UNTIL N = 2"));
  ExpectInt(Var("M"), 4);
}

TEST_F(Stmt, UntilWithoutRepeat) {
  EXPECT_FALSE(Exec("X := 1 UNTIL Y"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kTooManyUntil);
  EXPECT_EQ(calc.ErrorMessage(), "Too many UNTIL");
}

TEST_F(Stmt, NestedRepeatDoesNotWork) {
  EXPECT_FALSE(Exec("N := 0; REPEAT REPEAT N := N + 1 UNTIL N > 3 UNTIL N > 5"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUntilExpected);
  EXPECT_EQ(calc.ErrorMessage(), "UNTIL expected");
  EXPECT_FALSE(Exec("N := 0; REPEAT BEGIN REPEAT N := N + 1 UNTIL N > 3 END UNTIL N > 5"));
  EXPECT_NE(calc.ErrorCode(), 0);
}

TEST_F(Stmt, BreakInRepeatWhoseConditionHolds) {
  // The condition is checked before the signal: a BREAK with a true condition leaks out.
  EXPECT_FALSE(Exec("REPEAT BREAK UNTIL TRUE"));
  EXPECT_EQ(calc.ErrorMessage(), "BREAK outside loop");
  EXPECT_TRUE(Exec("N := 0; REPEAT N := N + 1; IF N = 2 THEN BREAK UNTIL N > 5"));
  ExpectInt(Var("N"), 2);
}

TEST_F(Stmt, NestedIfWhileForWork) {
  EXPECT_TRUE(Exec(
      "I := 0; J := 0; K := 0; FOR I := 1 TO 3 DO FOR J := 1 TO 2 DO IF I > 1 THEN K := K + 1"));
  ExpectInt(Var("K"), 4);
  EXPECT_TRUE(Exec("A := 0; B := 0; WHILE A < 2 DO BEGIN A := A + 1; B := 0; WHILE B < 3 DO B := B + 1 END"));
  ExpectInt(Var("B"), 3);
}

TEST_F(Stmt, CaseStatement) {
  const char* src = "CASE X OF 1, 3: A := 1; 5 .. 9: A := 2; ELSE A := 3; END";
  for (auto [x, a] : std::vector<std::pair<int, int>>{{1, 1}, {3, 1}, {5, 2}, {7, 2}, {9, 2},
                                                       {4, 3}, {10, 3}}) {
    calc.Vars().Clear();
    calc.Vars().AddVar(TVar{"X", Value::Int32(x)});
    EXPECT_TRUE(Exec(src)) << calc.ErrorMessage();
    ExpectInt(Var("A"), a);
  }
}

TEST_F(Stmt, CaseFirstMatchWinsAndSwappedRanges) {
  EXPECT_TRUE(Exec("X := 5; CASE X OF 9 .. 1: A := 1; 5: A := 2; END"));
  ExpectInt(Var("A"), 1);
}

TEST_F(Stmt, CaseOnStrings) {
  EXPECT_TRUE(Exec("S := 'b'; CASE S OF 'a': A := 1; 'b' .. 'd': A := 2; END"));
  ExpectInt(Var("A"), 2);
  // A string selector never matches a number label.
  EXPECT_TRUE(Exec("S := '1'; A := 0; CASE S OF 1: A := 1; END"));
  ExpectInt(Var("A"), 0);
}

// A range's low end is read before its high end runs: a call there that changes the low end's
// variable, or adds so many variables that the list moves, leaves the range as it was read.
TEST_F(Stmt, CaseRangeLowEndIsReadBeforeTheHighEndRuns) {
  calc.SetFunction("GROW", [](TPasCalc& c, TVarList&, TVar& r) {
    c.SetValue("L", Value::Int32(6));
    for (int i = 0; i < 100; ++i) c.AssignVar(TVar{"G" + std::to_string(i), Value::Int32(i)});
    r.Val = Value::Int32(10);
    return true;
  });
  for (int run = 0; run < 2; ++run) {  // the first run reads the text, the second reuses it
    EXPECT_TRUE(Exec("L := 2; A := 0; CASE 5 OF L .. GROW(): A := 1; END")) << calc.ErrorMessage();
    ExpectInt(Var("A"), 1);
    ExpectInt(Var("L"), 6);
  }
}

TEST_F(Stmt, CaseRangeWithoutBlank) {
  EXPECT_FALSE(Exec("X := 7; CASE X OF 5..9: A := 2; END"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kErrorInExpression);
}

TEST_F(Stmt, CaseErrors) {
  EXPECT_FALSE(Exec("CASE 1 1: A := 1; END"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kOfExpected);
  EXPECT_EQ(calc.ErrorMessage(), "OF expected");
  EXPECT_FALSE(Exec("CASE 1 OF 2 .. 'x': A := 1; END"));
  EXPECT_EQ(calc.ErrorMessage(), "Invalid typecast in CASE range");
  EXPECT_FALSE(Exec("CASE 1 OF ELSE A := 1; ELSE A := 2; END"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kTooManyCaseElse);
  EXPECT_EQ(calc.ErrorMessage(), "Too many ELSEin CASE statement");
  EXPECT_FALSE(Exec("CASE 1 OF : A := 1; END"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kRangeExpected);
  EXPECT_EQ(calc.ErrorMessage(), "Range defininition expected");
  EXPECT_FALSE(Exec("CASE 1 OF 2 A := 1; END"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kColonExpected);
  EXPECT_EQ(calc.ErrorMessage(), ": expected");
  EXPECT_FALSE(Exec("CASE 1 OF 2: A := 1 END"));  // the last branch needs its ";"
  EXPECT_EQ(calc.ErrorMessage(), "Too many END");
}

TEST_F(Stmt, BeginBlocks) {
  EXPECT_TRUE(Exec("BEGIN X := 1; BEGIN Y := 2 END; END"));
  ExpectInt(Var("Y"), 2);
  EXPECT_FALSE(Exec("BEGIN X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kEndExpected);
  EXPECT_EQ(calc.ErrorMessage(), "END expected");
  EXPECT_EQ(LastLine(), "END expected (BEGIN X := 1  in ) Init");
  EXPECT_FALSE(Exec("X := 1; END"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kTooManyEnd);
  EXPECT_EQ(calc.ErrorMessage(), "Too many END");
}

TEST_F(Stmt, InvalidOperators) {
  EXPECT_FALSE(Exec("5 := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidStatement);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid operator: 5");
  EXPECT_FALSE(Exec("THEN X := 1"));
  EXPECT_EQ(calc.ErrorMessage(), "Invalid operator: THEN");
}

TEST_F(Stmt, AssignmentErrors) {
  EXPECT_FALSE(Exec("X = 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUnexpectedToken);
  EXPECT_EQ(calc.ErrorMessage(), "Found =, expected :=, (, [ or ;");
  EXPECT_FALSE(Exec("$FF := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidVariableName);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid variable name: $FF");
  EXPECT_FALSE(Exec("X := 1 +"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUnknownOperator);
  EXPECT_FALSE(Exec("X := 1; X[1][2] := 5"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kDuplicateVariable);
  EXPECT_EQ(calc.ErrorMessage(), "Variable with same name exist : X");
  EXPECT_FALSE(Exec("A[1] := 1; A := 2"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kDuplicateArray);
  EXPECT_EQ(calc.ErrorMessage(), "Array with same name exist : A");
}

TEST_F(Stmt, ArrayAssignment) {
  EXPECT_TRUE(Exec("I := 2; A[I, I + 1] := 'x'; A[-1] := 5; B := A[2,3]"));
  ExpectString(Var("A[2,3]"), "x");
  ExpectInt(Var("A[-1]"), 5);
  ExpectString(Var("B"), "x");
}

TEST_F(Stmt, StringIndexAssignment) {
  EXPECT_TRUE(Exec("S := 'ABC'; S[2] := 'x'; S[3] := 65"));
  ExpectString(Var("S"), "AxA");
  struct Case {
    const char* src;
    ScriptErrorId error;
    const char* message;
  } cases[] = {
      {"S := 'ABC'; S[4] := 'x'", ScriptErrorId::kStringIndexOutOfRange,
       "String index out of range: 4"},
      {"S := 'ABC'; S[2] := 'xy'", ScriptErrorId::kCharacterExpected, "Character expected: 'xy'"},
      {"S := 'ABC'; S[2] := 256", ScriptErrorId::kCharacterOutOfRange,
       "Character value out of range: 256"},
      {"S := 'ABC'; S[2] := TRUE AND TRUE", ScriptErrorId::kCharacterOutOfRange,
       "Character value out of range: -1"},
      {"S := 'ABC'; S[2] := 1.5E", ScriptErrorId::kNone, nullptr},
      {"S := 5; S[1] := 'x'", ScriptErrorId::kInvalidVariableType, "Invalid variable type: S"},
      {"S := 'ABC'; S[] := 'x'", ScriptErrorId::kEmptyStringIndex, "Empty string index"},
  };
  for (const auto& c : cases) {
    const bool ok = Exec(c.src);
    if (!c.message) continue;
    EXPECT_FALSE(ok) << c.src;
    EXPECT_EQ(calc.Error(), c.error) << c.src;
    EXPECT_EQ(calc.ErrorMessage(), c.message) << c.src;
  }
}

TEST_F(Stmt, StringIndexOfAnArrayElement) {
  EXPECT_TRUE(Exec("T[1] := 'abc'; T[1][2] := 'Z'"));
  ExpectString(Var("T[1]"), "aZc");
}

TEST_F(Stmt, OnlyTheFirstErrorIsKeptAndReported) {
  EXPECT_FALSE(Exec("X := 1 / 0; Y := 'abc"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidOperandTypes);
  EXPECT_EQ(calc.ErrorMessage(), "Invalid operand types for \"/\"");
  EXPECT_EQ(host.Lines.size(), 1u);
  EXPECT_FALSE(Has("Y"));
}

TEST_F(Stmt, ReportLineCarriesTheElementContext) {
  FakeElement e("Button1", 5);
  host.Add(e);
  host.Current = &e;
  host.Event = "ms_Down";
  EXPECT_FALSE(Exec("X := 1 / 0"));
  EXPECT_EQ(LastLine(), "Invalid operand types for \"/\" (1 / 0  in Button1 <TOxFake>) ms_Down");
  EXPECT_EQ(calc.ErrorText(), "1 / 0 ");
}

TEST_F(Stmt, ExecuteResetsTheErrorState) {
  EXPECT_FALSE(Exec("X := 1 / 0"));
  EXPECT_TRUE(Exec("X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kNone);
  EXPECT_EQ(calc.ErrorMessage(), "");
}

TEST_F(Stmt, CompileCachesOneSource) {
  const std::string a = calc.Compile("X := 1");
  const std::string b = calc.Compile("X := 1");
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, TokenizeSource("X := 1") + std::string("\x7F" "Z;"));
  // A tokenised text is taken as it is.
  const std::string c = calc.Compile(TokenizeSource("Y := 2"));
  EXPECT_TRUE(calc.Execute(c));
  ExpectInt(Var("Y"), 2);
}

TEST_F(Stmt, EmptyScriptAndEmptyStatements) {
  EXPECT_TRUE(Exec(""));
  EXPECT_TRUE(Exec(";;; X := 1;;"));
  ExpectInt(Var("X"), 1);
  EXPECT_TRUE(Exec("{ only a comment } // and another"));
}

TEST_F(Stmt, CallStatementWithoutTarget) {
  int calls = 0;
  calc.SetFunction("Ping", [&calls](TPasCalc&, TVarList&, TVar&) { return ++calls, true; });
  EXPECT_TRUE(Exec("Ping; Ping(); PING(1, 2)"));
  EXPECT_EQ(calls, 3);
}

TEST_F(Stmt, DeepBlocksStopWithAnError) {
  std::string src;
  for (int i = 0; i < 3000; ++i) src += "BEGIN ";
  src += "X := 1";
  for (int i = 0; i < 3000; ++i) src += " END";
  EXPECT_FALSE(Exec(src));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kTooDeepNesting);
}

}  // namespace
}  // namespace ox::script::test
