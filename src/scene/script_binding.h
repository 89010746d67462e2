// The binding of elements to the interpreter: a pool of ten interpreters, one per nesting
// level of event runs, so an event raised from inside a script runs on a fresh interpreter and
// the outer run's variables are untouched. Pool entry 0 rests (it prepares the scripts assigned
// while no event runs); runs nest at most nine deep.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "scene/event_script.h"
#include "script/host.h"
#include "script/pascalc.h"

namespace ox::scene {

class TOxDB;

class InterpreterPool : public ScriptBinding, public script::ScriptHost {
 public:
  static constexpr int kSize = 10;
  using Registration = std::function<void(script::TPasCalc&)>;

  // Creates the interpreters, registers every native function in each, and installs the pool
  // as the scene's binding and the interpreter's host until it is destroyed.
  explicit InterpreterPool(const Registration& registerFunctions);
  ~InterpreterPool() override;

  void SetRoot(TOxDB* root) { root_ = root; }
  // Also print every report line and debug line on stderr.
  void SetLogErrors(bool on) { logErrors_ = on; }

  script::TPasCalc& Current() { return *pool_[static_cast<std::size_t>(depth_ - 1)]; }
  int Depth() const { return depth_; }

  // ScriptBinding
  std::string Prepare(const std::string& source) override;
  void Run(TOxElement& element, const std::string& prepared, const char* eventName,
           script::TVarList* keep) override;

  // ScriptHost
  script::ScriptElement* CurrentElement() override;
  script::ScriptElement* RootElement() override;
  script::ScriptElement* ResolveRef(std::uint32_t ref) override;
  std::string EventContextName() override { return eventName_; }
  void ReportLine(const std::string& line) override;
  std::string GetText(const std::string& key) override;
  bool ReadScriptFile(const std::string& name, std::string& content, int& errorCode) override;

 private:
  void DebugLine(const std::string& line) const;

  std::array<std::unique_ptr<script::TPasCalc>, kSize> pool_;
  int depth_ = 1;
  TOxElement* current_ = nullptr;
  std::string eventName_;
  TOxDB* root_ = nullptr;
  bool logErrors_ = false;
};

}  // namespace ox::scene
