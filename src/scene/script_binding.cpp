#include "scene/script_binding.h"

#include <cerrno>

#include "platform/core/log.h"
#include "platform/files/error_log.h"
#include "scene/class_registry.h"
#include "scene/element_refs.h"
#include "scene/game_root.h"
#include "script/var_list.h"

namespace ox::scene {

InterpreterPool::InterpreterPool(const Registration& registerFunctions) {
  for (auto& interpreter : pool_) {
    interpreter = std::make_unique<script::TPasCalc>();
    registerFunctions(*interpreter);
  }
  InstallBinding(this);
  script::SetHost(this);
}

InterpreterPool::~InterpreterPool() {
  if (CurrentBinding() == this) InstallBinding(nullptr);
  if (&script::Host() == this) script::SetHost(nullptr);
}

std::string InterpreterPool::Prepare(const std::string& source) { return Current().Compile(source); }

void InterpreterPool::Run(TOxElement& element, const std::string& prepared, const char* eventName,
                          script::TVarList* keep) {
  eventName_ = eventName;
  if (depth_ >= kSize) {
    DebugLine("Very recursion (in " + element.Id + " <" + element.Class().name + " #" +
              std::to_string(element.Key) + "> " + eventName_);
    return;
  }
  // Depth and current element are restored on every way out, an exception included.
  struct Nesting {
    InterpreterPool& pool;
    TOxElement* outer;
    ~Nesting() {
      pool.current_ = outer;
      --pool.depth_;
    }
  } nesting{*this, current_};
  ++depth_;
  script::TPasCalc& interpreter = Current();
  interpreter.Vars().Clear();
  if (prepared.empty()) return;
  current_ = &element;
  interpreter.Execute(prepared);
  current_ = nesting.outer;
  if (keep != nullptr) {
    for (const script::TVar& var : interpreter.Vars()) keep->AddIfAbsent(var);
  }
}

script::ScriptElement* InterpreterPool::CurrentElement() { return current_; }
script::ScriptElement* InterpreterPool::RootElement() { return root_; }
script::ScriptElement* InterpreterPool::ResolveRef(std::uint32_t ref) { return ElementRefs::Resolve(ref); }

void InterpreterPool::ReportLine(const std::string& line) {
  if (root_ != nullptr && root_->SaveErr) platform::AppendErrorLine(root_->GameFolder(), line);
  DebugLine(line);
}

void InterpreterPool::DebugLine(const std::string& line) const {
  if (logErrors_) platform::LogLine(line);
}

std::string InterpreterPool::GetText(const std::string& key) {
  return root_ != nullptr ? root_->GetText(key) : std::string();
}

bool InterpreterPool::ReadScriptFile(const std::string& name, std::string& content, int& errorCode) {
  if (root_ == nullptr) return script::ReadScriptFileFromDisk(name, content, errorCode);
  const auto bytes = root_->GameData().ReadAll(name);
  if (!bytes) {
    errorCode = ENOENT;
    return false;
  }
  content.assign(bytes->begin(), bytes->end());
  return true;
}

script::RunVerdict InterpreterPool::CheckRun(std::uint64_t steps, script::RunClock::duration elapsed) {
  if (closeRequested_ && closeRequested_()) return script::RunVerdict::Closing;
  return limit_.Exceeded(steps, elapsed) ? script::RunVerdict::TooLong : script::RunVerdict::Continue;
}

}  // namespace ox::scene
