#include "scriptlib/standard_functions.h"

#include "scriptlib/native_support.h"

namespace ox::scriptlib {

const std::vector<std::string>& StandardFunctionNames() {
  static const std::vector<std::string> kNames = {
      "Val",        "Char",      "IntToStr",  "StrToInt",  "FloatToStr", "StrToFloat",     "Copy",
      "Poss",       "Length",    "DelLastChar", "Insert",  "Delete",     "Trim",           "TrimLeft",
      "TrimRight",  "UpperCase", "LowerCase", "Format",    "Now",        "Date",           "Time",
      "DateToStr",  "StrToDate", "TimeToStr", "StrToTime", "FormatDateTime", "DayOfWeek",  "IncMonth",
      "DecodeDate", "DecodeTime", "EncodeDate", "EncodeTime", "Abs",     "Int",            "Frac",
      "Round",      "Ceil",      "Floor",     "Trunc",     "Sin",        "Sign",           "Cos",
      "Tan",        "ArcSin",    "ArcCos",    "ArcTan",    "Exp",        "Ln",             "IntPower",
      "Sqr",        "Sqrt",      "Inc",       "Dec",       "Min",        "Max",            "GetVar",
      "SetVar",     "Decode",    "YearDays",  "YearFrac",  "Mod",        "Random"};
  return kNames;
}

void RegisterStandardFunctions(script::TPasCalc& calc) {
  FunctionTable table;
  AddStringFunctions(table);
  AddDateFunctions(table);
  AddArithmeticFunctions(table);
  AddVariableFunctions(table);
  for (const std::string& name : StandardFunctionNames()) calc.SetFunction(name, table.at(name));
}

}  // namespace ox::scriptlib
