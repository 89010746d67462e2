// oxscript [-p] [-e TEXT | FILE]: compiles and runs one script with no scene, prints the
// variables it leaves (one JSON object a line, the tree dump's value form) on stdout and the
// report lines (errors and diagnostics) on stderr. Exit status: 0 when the run had no error,
// 1 after a script error, 2 for bad usage or an unreadable file.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "script/host.h"
#include "script/pascalc.h"
#include "script/value_json.h"

#if __has_include("scriptlib/standard_functions.h")
#include "scriptlib/standard_functions.h"
#define OX_HAVE_SCRIPTLIB 1
#endif

namespace {

// No scene; report lines go to stderr.
class ToolHost final : public ox::script::ScriptHost {
 public:
  ox::script::ScriptElement* CurrentElement() override { return nullptr; }
  ox::script::ScriptElement* RootElement() override { return nullptr; }
  ox::script::ScriptElement* ResolveRef(std::uint32_t) override { return nullptr; }
  std::string EventContextName() override { return "oxscript"; }
  void ReportLine(const std::string& line) override { std::cerr << line << '\n'; }
  std::string GetText(const std::string&) override { return {}; }
  bool ReadScriptFile(const std::string& name, std::string& content, int& errorCode) override {
    return ox::script::ReadScriptFileFromDisk(name, content, errorCode);
  }
};

int Usage() {
  std::fprintf(stderr,
               "usage: oxscript [-p] [-e TEXT | FILE]\n"
               "  -e TEXT  run TEXT as the script\n"
               "  FILE     run the script in FILE ('-' or nothing: standard input)\n"
               "  -p       keep the compiled PROCEDURE/FUNCTION declarations callable\n"
               "           (games run without them: Execute empties them first)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool keepProcedures = false;
  bool haveText = false;
  std::string source;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "-p" || a == "--procedures") {
      keepProcedures = true;
    } else if (a == "-e") {
      if (i + 1 >= argc || haveText) return Usage();
      source = argv[++i];
      haveText = true;
    } else if (a == "-h" || a == "--help") {
      Usage();
      return 0;
    } else if (a.size() > 1 && a[0] == '-') {
      return Usage();
    } else {
      if (haveText) return Usage();
      file = a;
      haveText = true;
    }
  }
  if (!haveText || file == "-") {
    source.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else if (!file.empty()) {
    int err = 0;
    if (!ox::script::ReadScriptFileFromDisk(file, source, err)) {
      std::fprintf(stderr, "oxscript: cannot read %s: %s\n", file.c_str(), std::strerror(err));
      return 2;
    }
  }

  ToolHost host;
  ox::script::ScopedHost scoped(&host);
  ox::script::TPasCalc calc;
#ifdef OX_HAVE_SCRIPTLIB
  ox::scriptlib::RegisterStandardFunctions(calc);
#endif
  const std::string prepared = calc.Compile(source);
  const bool compiled = calc.ErrorCode() == 0;
  bool ok = compiled;
  if (compiled) ok = keepProcedures ? calc.Run(prepared) : calc.Execute(prepared);
  for (const auto& v : calc.Vars()) std::cout << ox::script::VarToJson(v) << '\n';
  std::cout.flush();
  return ok ? 0 : 1;
}
