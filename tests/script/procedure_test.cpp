// Script procedures and functions, the declaration pass, INCLUDE and USES, and the limits on
// nested calls and nested files.
#include <pthread.h>
#include <unistd.h>

#include "script_test_support.h"
#include "support/temp_folder.h"

namespace ox::script::test {
namespace {

using Proc = ScriptTest;

TEST_F(Proc, FunctionResult) {
  EXPECT_TRUE(RunScript("FUNCTION Twice(X); BEGIN RESULT := X * 2 END; Y := Twice(21)"));
  ExpectInt(Var("Y"), 42);
  EXPECT_FALSE(Has("X"));
  EXPECT_FALSE(Has("RESULT"));
}

TEST_F(Proc, ProcedureByReference) {
  EXPECT_TRUE(RunScript("PROCEDURE Bump(V, N); BEGIN V := V + N; T := 1 END; K := 5; Bump(K, 2); Bump(K + 1, 2)"));
  ExpectInt(Var("K"), 7);
  EXPECT_FALSE(Has("T"));  // variables the body created are discarded
  EXPECT_FALSE(Has("V"));
}

TEST_F(Proc, BodyChangesToOtherVariablesAreDiscarded) {
  EXPECT_TRUE(RunScript("PROCEDURE P(); BEGIN G := 99 END; G := 1; P()"));
  ExpectInt(Var("G"), 1);
}

TEST_F(Proc, BodySeesTheCallersVariables) {
  EXPECT_TRUE(RunScript("FUNCTION F(); BEGIN RESULT := G + 1 END; G := 1; H := F()"));
  ExpectInt(Var("H"), 2);
}

TEST_F(Proc, CallWithoutParentheses) {
  EXPECT_TRUE(RunScript("FUNCTION F(); BEGIN RESULT := 7 END; H := F + 1"));
  ExpectInt(Var("H"), 8);
}

TEST_F(Proc, ExitReturnsNormally) {
  EXPECT_TRUE(RunScript("FUNCTION F(N); BEGIN RESULT := 1; IF N > 0 THEN EXIT; RESULT := 2 END; A := F(1); B := F(0)"));
  ExpectInt(Var("A"), 1);
  ExpectInt(Var("B"), 2);
}

TEST_F(Proc, Recursion) {
  EXPECT_TRUE(RunScript(
      "FUNCTION Fact(N); BEGIN IF N <= 1 THEN RESULT := 1 ELSE RESULT := N * Fact(N - 1) END;"
      "X := Fact(10)"));
  ExpectInt(Var("X"), 3628800);
}

TEST_F(Proc, FunctionMustReturnAResult) {
  EXPECT_FALSE(RunScript("FUNCTION F(); BEGIN X := 1 END; Y := F()"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kNoFunctionResult);
  EXPECT_EQ(calc.ErrorMessage(), "Function must return result : F");
}

TEST_F(Proc, WrongArgumentCount) {
  EXPECT_FALSE(RunScript("PROCEDURE P(A, B); BEGIN END; P(1)"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kWrongArgumentCount);
  EXPECT_EQ(calc.ErrorMessage(), "Wrong parameters amount, procedure P");
}

TEST_F(Proc, BreakOrGotoOutOfABody) {
  EXPECT_FALSE(RunScript("PROCEDURE P(); BEGIN BREAK END; P()"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kOutsideLoop);
  EXPECT_EQ(calc.ErrorMessage(), "BREAK outside loop");
  EXPECT_FALSE(RunScript("PROCEDURE P(); BEGIN GOTO OUT END; P(); OUT: X := 1"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kLabelNotFound);
  EXPECT_EQ(calc.ErrorMessage(), "Label OUT not exist or unreacheble");
}

TEST_F(Proc, DeclarationErrors) {
  struct Case {
    const char* src;
    ScriptErrorId error;
    const char* message;
  } cases[] = {
      {"PROCEDURE 5(); BEGIN END", ScriptErrorId::kInvalidProcedureName, "Invalid procedure name"},
      {"PROCEDURE P(); BEGIN END; PROCEDURE P(); BEGIN END", ScriptErrorId::kDuplicateProcedure,
       "Duplicate procedure name"},
      {"PROCEDURE P; BEGIN END", ScriptErrorId::kOpenParenExpected, "( expected"},
      {"PROCEDURE P(A B); BEGIN END", ScriptErrorId::kInvalidDeclaration, "Invalid function call"},
      {"PROCEDURE P(A,); BEGIN END", ScriptErrorId::kInvalidDeclaration, "Invalid function call"},
      {"PROCEDURE P(A: INTEGER); BEGIN END", ScriptErrorId::kInvalidDeclaration,
       "Invalid function call"},
  };
  for (const auto& c : cases) {
    calc.Compile(c.src);
    EXPECT_EQ(calc.Error(), c.error) << c.src;
    EXPECT_EQ(calc.ErrorMessage(), c.message) << c.src;
  }
}

TEST_F(Proc, DeclarationsLeaveTheMainText) {
  const std::string p = calc.Compile("X := 1; PROCEDURE P(A); BEGIN A := 2 END; Y := 2");
  EXPECT_EQ(Detokenize(p, true), "X := 1 ; Y := 2 ; ");
  ASSERT_EQ(calc.Procedures().Count(), 1u);
  EXPECT_EQ(calc.Procedures()[0].Name, "P");
  EXPECT_EQ(calc.Procedures()[0].Params, "A");
  EXPECT_FALSE(calc.Procedures()[0].IsFunction);
  EXPECT_EQ(Detokenize(calc.Procedures()[0].Body, true), "BEGIN A := 2 END ");
  calc.Compile("FUNCTION F(A, B, C); BEGIN END");
  EXPECT_EQ(calc.Procedures()[0].Params, "A\r\nB\r\nC");
  EXPECT_TRUE(calc.Procedures()[0].IsFunction);
}

TEST_F(Proc, CallDepthIsLimited) {
  EXPECT_FALSE(RunScript("FUNCTION F(N); BEGIN RESULT := F(N + 1) END; Y := F(1)"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kTooManyNestedCalls);
  EXPECT_EQ(calc.ErrorMessage(), "Too many nested calls, procedure F (more than 256)");
  EXPECT_EQ(host.Lines.size(), 1u);
  EXPECT_FALSE(Has("N"));  // the caller's variables are put back
}

TEST_F(Proc, TheLimitAllows256NestedCalls) {
  EXPECT_TRUE(RunScript(
      "FUNCTION F(N); BEGIN IF N = 0 THEN RESULT := 0 ELSE RESULT := F(N - 1) + 1 END;"
      "Y := F(255)"));
  ExpectInt(Var("Y"), 255);
  EXPECT_FALSE(RunScript(
      "FUNCTION F(N); BEGIN IF N = 0 THEN RESULT := 0 ELSE RESULT := F(N - 1) + 1 END;"
      "Y := F(256)"));
  EXPECT_EQ(calc.Error(), ScriptErrorId::kTooManyNestedCalls);
}

struct DeepRun {
  TPasCalc* calc;
  bool ok = false;
};

void* RunDeep(void* p) {
  auto* d = static_cast<DeepRun*>(p);
  const std::string src =
      "FUNCTION F(N); BEGIN IF N = 0 THEN RESULT := 0 ELSE BEGIN A := 'x'; B := A + 'y';"
      "RESULT := F(N - 1) + 1 END END; Y := F(1000)";
  const std::string prepared = d->calc->Compile(src);
  d->calc->Run(prepared);
  d->ok = d->calc->Error() == ScriptErrorId::kTooManyNestedCalls;
  return nullptr;
}

// gcc names AddressSanitizer by a macro, clang by a feature.
#if defined(__SANITIZE_ADDRESS__)
#define OX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OX_ADDRESS_SANITIZER 1
#endif
#endif

TEST_F(Proc, NestedCallsUpToTheLimitFitInAQuarterOfTheDefaultStack) {
  pthread_attr_t attr;
  pthread_attr_init(&attr);
#if OX_ADDRESS_SANITIZER
  pthread_attr_setstacksize(&attr, 64u << 20);  // AddressSanitizer's frames are far larger
#else
  pthread_attr_setstacksize(&attr, 2u << 20);  // 2 MB: a quarter of the default 8 MB
#endif
  DeepRun run{&calc};
  pthread_t th;
  ASSERT_EQ(pthread_create(&th, &attr, &RunDeep, &run), 0);
  pthread_join(th, nullptr);
  pthread_attr_destroy(&attr);
  EXPECT_TRUE(run.ok) << calc.ErrorMessage();
}

TEST_F(Proc, IncludeAddsDeclarationsAndStatements) {
  host.Files["lib.pas"] = "function Sq(x); begin result := x * x end; Z := 3;";
  EXPECT_TRUE(RunScript("INCLUDE 'lib.pas'; Y := Sq(Z)"));
  ExpectInt(Var("Y"), 9);
  ExpectInt(Var("Z"), 3);
}

TEST_F(Proc, UsesAddsOnlyDeclarations) {
  host.Files["lib.pas"] = "function Sq(x); begin result := x * x end; Z := 3;";
  EXPECT_TRUE(RunScript("USES 'lib' + '.pas'; Y := Sq(4)"));
  ExpectInt(Var("Y"), 16);
  EXPECT_FALSE(Has("Z"));
}

TEST_F(Proc, IncludeOfAMissingFile) {
  calc.Compile("INCLUDE 'none.pas'; X := 1");
  EXPECT_EQ(calc.Error(), ScriptErrorId::kCannotOpenFile);
  EXPECT_EQ(calc.ErrorMessage(), "Can't open file \"none.pas\", error code 2");
  EXPECT_EQ(LastLine(), "Can't open file \"none.pas\", error code 2 (INCLUDE 'none.pas'  in ) Init");
}

TEST_F(Proc, InvalidFilename) {
  calc.Compile("USES 1 +");
  EXPECT_EQ(calc.Error(), ScriptErrorId::kUnknownOperator);
  calc.Compile("USES 1 2");
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidFileName);
  EXPECT_EQ(calc.ErrorMessage(), std::string("Invalid filename \"\x7F" "B1\x7F" "B2\" in USES statement"));
}

TEST_F(Proc, AnErrorInAnIncludedFileEndsOnlyThatFile) {
  host.Files["bad.pas"] = "A := 1; PROCEDURE 5(); B := 2;";
  const std::string p = calc.Compile("INCLUDE 'bad.pas'; C := 3");
  EXPECT_EQ(calc.Error(), ScriptErrorId::kInvalidProcedureName);
  EXPECT_EQ(Detokenize(p, true), "A := 1 ; C := 3 ; ");
}

TEST_F(Proc, SelfIncludeStopsAtTheFileDepthLimit) {
  host.Files["self.pas"] = "INCLUDE 'self.pas'; INCLUDE 'self.pas'; X := 1;";
  calc.Compile("INCLUDE 'self.pas'");
  EXPECT_EQ(calc.Error(), ScriptErrorId::kTooManyNestedFiles);
  EXPECT_EQ(calc.ErrorMessage(),
            "Too many nested files (more than 16) at \"self.pas\" in INCLUDE statement");
  EXPECT_EQ(host.FileReads, 16);
  EXPECT_EQ(host.Lines.size(), 1u);
}

TEST_F(Proc, FilesAreReadRelativeToTheWorkingDirectoryByDefault) {
  SetHost(nullptr);
  const test_support::TempFolder dir;
  ASSERT_FALSE(dir.path().empty());
  test_support::WriteFile(dir.path() / "inc.pas", "Q := 5;");
  char old[4096];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  const bool ok = Exec("INCLUDE 'inc.pas'");
  EXPECT_EQ(chdir(old), 0);
  SetHost(&host);
  EXPECT_TRUE(ok);
  ExpectInt(Var("Q"), 5);
}

}  // namespace
}  // namespace ox::script::test
