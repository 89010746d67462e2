// The error table: every error has its code, and messages take their parts in order.
#include <gtest/gtest.h>

#include "script/error_table.h"

namespace ox::script {
namespace {

TEST(ErrorTable, EveryErrorHasACodeOfTheInterpreter) {
  EXPECT_EQ(ScriptErrorCode(ScriptErrorId::kNone), 0);
  for (int i = 1; i < static_cast<int>(ScriptErrorId::kCount); ++i) {
    const int code = ScriptErrorCode(static_cast<ScriptErrorId>(i));
    EXPECT_GE(code, 1) << i;
    EXPECT_LE(code, 31) << i;
  }
  EXPECT_EQ(ScriptErrorCode(ScriptErrorId::kInvalidParameters), 7);
  EXPECT_EQ(ScriptErrorCode(ScriptErrorId::kRangeExpected), 29);
  EXPECT_EQ(ScriptErrorCode(ScriptErrorId::kRunsTooLong), 30);
  EXPECT_EQ(ScriptErrorCode(ScriptErrorId::kOutOfMemory), 31);
}

TEST(ErrorTable, MessagesFillTheirPartsInOrder) {
  EXPECT_EQ(ScriptErrorMessage(ScriptErrorId::kCannotOpenFile, {"a.pas", "2"}),
            "Can't open file \"a.pas\", error code 2");
  EXPECT_EQ(ScriptErrorMessage(ScriptErrorId::kInvalidParametersWithReason, {"F", "50% off"}),
            "Invalid parameters, function F : 50% off");
  EXPECT_EQ(ScriptErrorMessage(ScriptErrorId::kTooManyCaseElse, {}),
            "Too many ELSEin CASE statement");
}

}  // namespace
}  // namespace ox::script
