// The interpreter's view of the world outside it. The scene implements these interfaces; with no
// host installed (the oxscript tool, unit tests) there is no element, no root and no language.
#pragma once

#include <cstdint>
#include <string>

#include "script/run_limit.h"
#include "script/value.h"

namespace ox::script {

// What a variable list needs of a scene element to read and write names through it.
class ScriptElement {
 public:
  virtual bool GetVar(const std::string& name, Value& out) = 0;
  virtual bool SetVar(const std::string& name, const Value& value) = 0;
  virtual ScriptElement* ScriptParent() = 0;
  // "<Id> <<ClassName>>", the element part of every diagnostic and error line.
  virtual std::string DiagnosticContext() = 0;

 protected:
  ~ScriptElement() = default;
};

class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  // The element whose event is running, or none.
  virtual ScriptElement* CurrentElement() = 0;
  // The game root, reached by the path component "OXDB"; none without a scene.
  virtual ScriptElement* RootElement() = 0;
  // The element an element reference names; none for 0 or a reference to a destroyed element.
  virtual ScriptElement* ResolveRef(std::uint32_t ref) = 0;
  // The event name of the running event ("Init", "ms_Down", ...), shown in report lines.
  virtual std::string EventContextName() = 0;
  // A finished diagnostic or error line; the host appends it to the error log when the game
  // asks for it and drops it otherwise.
  virtual void ReportLine(const std::string& line) = 0;
  // The language text of a key; empty when there is none.
  virtual std::string GetText(const std::string& key) = 0;
  // Reads a script file named by INCLUDE or USES. On failure returns false and sets errorCode
  // to the system error code (2 for a missing file).
  virtual bool ReadScriptFile(const std::string& name, std::string& content, int& errorCode) = 0;
  // The long-run guard's question, asked every kStepsBetweenChecks steps of a run with the
  // steps taken and the time since the run began. Without a scene nothing is bounded.
  virtual RunVerdict CheckRun(std::uint64_t steps, RunClock::duration elapsed) {
    (void)steps;
    (void)elapsed;
    return RunVerdict::Continue;
  }
};

// The process-wide host; never null (a default host without a scene stands in).
ScriptHost& Host();
// Installs a host; nullptr restores the default one. The caller keeps ownership.
void SetHost(ScriptHost* host);

// Reads a whole file by its name, relative to the working directory (what the default host's
// ReadScriptFile does); on failure sets errorCode to the system error code (2: missing file).
bool ReadScriptFileFromDisk(const std::string& name, std::string& content, int& errorCode);

// Installs a host for the lifetime of the object and restores the previous one afterwards.
class ScopedHost {
 public:
  explicit ScopedHost(ScriptHost* host) : previous_(&Host()) { SetHost(host); }
  ~ScopedHost() { SetHost(previous_); }
  ScopedHost(const ScopedHost&) = delete;
  ScopedHost& operator=(const ScopedHost&) = delete;

 private:
  ScriptHost* previous_;
};

}  // namespace ox::script
