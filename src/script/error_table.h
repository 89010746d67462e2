// Every error the interpreter reports: one name per message, and one table giving each its
// error code (the number a run ends with, ErrorCode()) and its text. A "%s" in a text is where
// the message's variable parts go, in order.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace ox::script {

enum class ScriptErrorId : std::uint8_t {
  kNone,
  // Code 1: malformed expressions and statements.
  kEmptyExpression,
  kInvalidNumber,
  kUnknownOperator,
  kIndexExpected,
  kErrorInIndexPart,
  kInvalidFunctionParams,
  kErrorInExpression,
  kUnexpectedToken,
  kInvalidLoopVariable,
  kInvalidGotoLabel,
  kErrorInGoto,
  kErrorInCase,
  kInvalidKeywordStatement,
  kInvalidFileName,
  kInvalidCaseRangeType,
  // Code 2.
  kCloseParenExpected,
  kOpenParenExpected,
  // Code 3.
  kVariableNotFound,
  kStringVariableNotFound,
  // Code 4.
  kInvalidVariableName,
  kInvalidProcedureName,
  // Code 5: values of the wrong kind.
  kInvalidVariableType,
  kInvalidIndex,
  kInvalidOperandTypes,
  kInvalidConditionType,
  kInvalidLoopValue,
  // Code 6.
  kUnterminatedString,
  // Code 7: calls.
  kErrorInFunction,
  kErrorInProcedure,
  kInvalidParameters,
  kInvalidParametersWithReason,
  kInvalidArgument,
  kInvalidDeclaration,
  kWrongArgumentCount,
  // Code 8.
  kUnknownFunction,
  kUnknownProcedure,
  // Code 9.
  kInvalidStatement,
  kElseWithoutIf,
  kForAssignmentExpected,
  // Codes 10 to 18: statement structure.
  kEndExpected,
  kTooManyEnd,
  kToExpected,
  kForVariableExpected,
  kDoExpected,
  kOfExpected,
  kOutsideLoop,
  kUntilExpected,
  kTooManyUntil,
  kLabelNotFound,
  // Code 19: indexing a string.
  kEmptyStringIndex,
  kInvalidStringIndex,
  kBadStringIndex,
  kStringIndexOutOfRange,
  // Code 20: assigning a character.
  kCharacterExpected,
  kCharacterOutOfRange,
  // Codes 21 and 22.
  kCloseBracketExpected,
  kOpenBracketExpected,
  // Code 24: names declared twice.
  kDuplicateVariable,
  kDuplicateArray,
  kDuplicateProcedure,
  kDuplicateParameter,
  // Code 25: included files.
  kTooManyNestedFiles,
  kCannotOpenFile,
  // Code 26.
  kNoFunctionResult,
  // Code 27: limits that keep deep nesting off the stack.
  kTooDeepNesting,
  kTooManyNestedCalls,
  // Codes 28 and 29: CASE.
  kTooManyCaseElse,
  kColonExpected,
  kRangeExpected,
  // Code 30: the long-run guard stopped the run (script/run_limit.h).
  kRunsTooLong,
  kStoppedByClose,
  // Code 31: a string past kMaxStringBytes.
  kOutOfMemory,
  kCount
};

struct ScriptErrorEntry {
  ScriptErrorId id;
  int code;
  std::string_view text;
};

// The code of an error (0 for kNone).
int ScriptErrorCode(ScriptErrorId id);
// The message of an error: its text with each "%s" replaced by the next of parts.
std::string ScriptErrorMessage(ScriptErrorId id, std::initializer_list<std::string_view> parts);

}  // namespace ox::script
