#include "script/host.h"

#include <cerrno>
#include <cstdio>

namespace ox::script {

namespace {

// No scene: no elements, no language, included files relative to the working directory.
class DefaultHost final : public ScriptHost {
 public:
  ScriptElement* CurrentElement() override { return nullptr; }
  ScriptElement* RootElement() override { return nullptr; }
  ScriptElement* ResolveRef(std::uint32_t) override { return nullptr; }
  std::string EventContextName() override { return {}; }
  void ReportLine(const std::string&) override {}
  std::string GetText(const std::string&) override { return {}; }
  bool ReadScriptFile(const std::string& name, std::string& content, int& errorCode) override {
    return ReadScriptFileFromDisk(name, content, errorCode);
  }
};

DefaultHost g_default;
ScriptHost* g_host = &g_default;

}  // namespace

bool ReadScriptFileFromDisk(const std::string& name, std::string& content, int& errorCode) {
  errno = 0;
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) {
    errorCode = errno ? errno : 2;
    return false;
  }
  content.clear();
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) content.append(buf, n);
  const bool bad = std::ferror(f) != 0;
  std::fclose(f);
  if (bad) {
    errorCode = 5;
    return false;
  }
  return true;
}

ScriptHost& Host() { return *g_host; }

void SetHost(ScriptHost* host) { g_host = host ? host : &g_default; }

}  // namespace ox::script
