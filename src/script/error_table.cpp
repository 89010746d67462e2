// The texts of the interpreter's errors.
#include "script/error_table.h"

#include <array>

namespace ox::script {

namespace {

using enum ScriptErrorId;

// The texts are kept byte for byte as scripts and error logs have always shown them, on purpose:
// the misspellings ("unreacheble", "defininition", "ELSEin") and the two code-page bytes in
// "Invalid \xEE\xF0erator" included.
constexpr std::array<ScriptErrorEntry, static_cast<std::size_t>(kCount)> kErrors{{
    {kNone, 0, ""},
    {kEmptyExpression, 1, "Empty string - not expression"},
    {kInvalidNumber, 1, "Invalid number: %s"},
    {kUnknownOperator, 1, "Unknown or invalid operator in expression: %s"},
    {kIndexExpected, 1, "Invalid string index"},
    {kErrorInIndexPart, 1, "Error in expression: %s"},
    {kInvalidFunctionParams, 1, "Invalid function params: %s"},
    {kErrorInExpression, 1, "Error in expression"},
    {kUnexpectedToken, 1, "Found %s, expected :=, (, [ or ;"},
    {kInvalidLoopVariable, 1, "Invalid variable name: %s"},
    {kInvalidGotoLabel, 1, "Invalid label in GOTO"},
    {kErrorInGoto, 1, "Error in GOTO statement"},
    {kErrorInCase, 1, "Error in CASE statement"},
    {kInvalidKeywordStatement, 1, "Invalid %s operator"},
    {kInvalidFileName, 1, "Invalid filename \"%s\" in %s statement"},
    {kInvalidCaseRangeType, 1, "Invalid typecast in CASE range"},
    {kCloseParenExpected, 2, "')' expected"},
    {kOpenParenExpected, 2, "( expected"},
    {kVariableNotFound, 3, "Variable not found: %s"},
    {kStringVariableNotFound, 3, "Variable not found :%s"},
    {kInvalidVariableName, 4, "Invalid variable name: %s"},
    {kInvalidProcedureName, 4, "Invalid procedure name"},
    {kInvalidVariableType, 5, "Invalid variable type: %s"},
    {kInvalidIndex, 5, "Invalid index: %s"},
    {kInvalidOperandTypes, 5, "Invalid operand types for \"%s\""},
    {kInvalidConditionType, 5, "Invalid condition type"},
    {kInvalidLoopValue, 5, "Invalid loop variable value "},
    {kUnterminatedString, 6, "Unterminated string: %s"},
    {kErrorInFunction, 7, "Error in function: %s"},
    {kErrorInProcedure, 7, "Error in procedure: %s"},
    {kInvalidParameters, 7, "Invalid parameters, function %s"},
    {kInvalidParametersWithReason, 7, "Invalid parameters, function %s : %s"},
    {kInvalidArgument, 7, "Invalid expression in function params: %s"},
    {kInvalidDeclaration, 7, "Invalid function call"},
    {kWrongArgumentCount, 7, "Wrong parameters amount, procedure %s"},
    {kUnknownFunction, 8, "Unknown function: %s"},
    {kUnknownProcedure, 8, "Unknown procedure: %s"},
    {kInvalidStatement, 9, "Invalid operator: %s"},
    {kElseWithoutIf, 9, "ELSE without IF"},
    {kForAssignmentExpected, 9, "Invalid \xEE\xF0" "erator: %s (':=' expected "},
    {kEndExpected, 10, "END expected"},
    {kTooManyEnd, 11, "Too many END"},
    {kToExpected, 12, "TO or DOWNTO expected"},
    {kForVariableExpected, 13, "FOR control variable expected"},
    {kDoExpected, 14, "DO expected"},
    {kOfExpected, 14, "OF expected"},
    {kOutsideLoop, 15, "%s outside loop"},
    {kUntilExpected, 16, "UNTIL expected"},
    {kTooManyUntil, 17, "Too many UNTIL"},
    {kLabelNotFound, 18, "Label %s not exist or unreacheble"},
    {kEmptyStringIndex, 19, "Empty string index"},
    {kInvalidStringIndex, 19, "Invalid string index"},
    {kBadStringIndex, 19, "Invalid string index : %s"},
    {kStringIndexOutOfRange, 19, "String index out of range: %s"},
    {kCharacterExpected, 20, "Character expected: '%s'"},
    {kCharacterOutOfRange, 20, "Character value out of range: %s"},
    {kCloseBracketExpected, 21, "] expected"},
    {kOpenBracketExpected, 22, "[ expected"},
    {kDuplicateVariable, 24, "Variable with same name exist : %s"},
    {kDuplicateArray, 24, "Array with same name exist : %s"},
    {kDuplicateProcedure, 24, "Duplicate procedure name"},
    {kDuplicateParameter, 24, "Duplicate variable name: %s"},
    {kTooManyNestedFiles, 25, "Too many nested files (more than %s) at \"%s\" in %s statement"},
    {kCannotOpenFile, 25, "Can't open file \"%s\", error code %s"},
    {kNoFunctionResult, 26, "Function must return result : %s"},
    {kTooDeepNesting, 27, "Too deep nesting of expressions and statements"},
    {kTooManyNestedCalls, 27, "Too many nested calls, procedure %s (more than %s)"},
    {kTooManyCaseElse, 28, "Too many ELSEin CASE statement"},
    {kColonExpected, 29, ": expected"},
    {kRangeExpected, 29, "Range defininition expected"},
    {kRunsTooLong, 30, "Script runs too long"},
    {kStoppedByClose, 30, "Script stopped: the player is closing"},
    {kOutOfMemory, 31, "Out of memory"},
}};

constexpr bool RowsInEnumOrder() {
  for (std::size_t i = 0; i < kErrors.size(); ++i)
    if (static_cast<std::size_t>(kErrors[i].id) != i) return false;
  return true;
}
static_assert(RowsInEnumOrder(), "one row per error, in the order of ScriptErrorId");

const ScriptErrorEntry& Entry(ScriptErrorId id) {
  const auto i = static_cast<std::size_t>(id);
  return kErrors[i < kErrors.size() ? i : 0];
}

}  // namespace

int ScriptErrorCode(ScriptErrorId id) { return Entry(id).code; }

std::string ScriptErrorMessage(ScriptErrorId id, std::initializer_list<std::string_view> parts) {
  const std::string_view text = Entry(id).text;
  std::string out;
  out.reserve(text.size() + 32);
  auto part = parts.begin();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's' && part != parts.end()) {
      out += *part++;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace ox::script
