#include "scriptlib/engine_functions.h"

#include "scriptlib/engine_support.h"
#include "scriptlib/standard_functions.h"

namespace ox::scriptlib {

const std::vector<std::string>& EngineFunctionNames() {
  static const std::vector<std::string> kNames = {
      "Update",     "Process",  "MsDown",  "MsMove",    "Init",       "Show",
      "SetFocus",   "ToFront",  "MoveTo",  "SetScreen", "FastSetScreen", "FastSetScreenNS",
      "LoadIm",     "EndLoadIm", "SaveState", "LoadState", "TimerReset", "GetAlpha",
      "GetPixel",   "GetText",
      "PlaySnd",    "PlayMuz",  "StopMuz", "ExitGame",  "DelFile",    "GetIni",
      "SetIni"};
  return kNames;
}

void RegisterEngineFunctions(script::TPasCalc& calc) {
  FunctionTable table;
  AddElementFunctions(table);
  AddScreenFunctions(table);
  AddSettingsFunctions(table);
  AddSoundFunctions(table);
  AddPictureFunctions(table);
  for (const std::string& name : EngineFunctionNames()) calc.SetFunction(name, table.at(name));
}

void RegisterAllFunctions(script::TPasCalc& calc) {
  RegisterStandardFunctions(calc);
  RegisterEngineFunctions(calc);
}

}  // namespace ox::scriptlib
