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
  // How long one script run may go on: by default a count of steps, so headless runs and tests
  // stay deterministic; windowed play bounds the wall time instead.
  static constexpr script::RunLimit kHeadlessLimit{10'000'000, {}};
  static constexpr script::RunLimit kWindowedLimit{0, std::chrono::seconds(5)};
  void SetRunLimit(script::RunLimit limit) { limit_ = limit; }
  // Asked whenever the long-run guard checks a run; true (the player is closing) stops it.
  void SetCloseRequested(std::function<bool()> closeRequested) { closeRequested_ = std::move(closeRequested); }

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
  script::RunVerdict CheckRun(std::uint64_t steps, script::RunClock::duration elapsed) override;

 private:
  void DebugLine(const std::string& line) const;

  std::array<std::unique_ptr<script::TPasCalc>, kSize> pool_;
  int depth_ = 1;
  TOxElement* current_ = nullptr;
  std::string eventName_;
  TOxDB* root_ = nullptr;
  bool logErrors_ = false;
  script::RunLimit limit_ = kHeadlessLimit;
  std::function<bool()> closeRequested_;
};

}  // namespace ox::scene
