// TPasCalc: host operations, error recording, Compile and Execute.
#include "script/pascalc.h"

#include "script/convert.h"

namespace ox::script {

namespace {

std::string TrimUpper(const std::string& name) {
  std::size_t a = 0, b = name.size();
  while (a < b && static_cast<unsigned char>(name[a]) <= 32) ++a;
  while (b > a && static_cast<unsigned char>(name[b - 1]) <= 32) --b;
  std::string up = name.substr(a, b - a);
  for (char& c : up)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return up;
}

}  // namespace

bool TPasCalc::SetFunction(const std::string& name, NativeFunction callback) {
  const std::string up = TrimUpper(name);
  const int i = funcs_.IndexOf(up);
  if (i >= 0) {
    if (callback)
      funcs_[static_cast<std::size_t>(i)].Callback = std::move(callback);
    else
      funcs_.Delete(static_cast<std::size_t>(i));
    return true;
  }
  if (!callback) return false;  // nothing to delete; a record without a callback is never added
  return funcs_.AddFunc(up, std::move(callback));
}

bool TPasCalc::GetValue(const std::string& name, TVar& out) {
  return vars_.Lookup(TrimUpper(name), out);
}

bool TPasCalc::SetValue(const std::string& name, const Value& value) {
  return vars_.SetValue(TrimUpper(name), value);
}

bool TPasCalc::IsArray(std::string_view name) const {
  for (const auto& v : vars_) {
    const std::string& n = v.Name;
    if (n.size() > name.size() && n[name.size()] == '[' && n.compare(0, name.size(), name) == 0)
      return true;
  }
  return false;
}

void TPasCalc::ResetError() {
  depth_ = -1;
  signal_ = Signal::None;
  target_.clear();
  errorCode_ = 0;
  errorId_ = ScriptErrorId::kNone;
  errorMessage_.clear();
  errorText_.clear();
  callDepth_ = 0;
  nesting_ = 0;
}

void TPasCalc::ReportError(ScriptErrorId id, std::string_view text,
                           std::initializer_list<std::string_view> parts) {
  ++errorEvents_;
  if (errorCode_ != 0) return;
  errorId_ = id;
  errorCode_ = ScriptErrorCode(id);
  errorMessage_ = ScriptErrorMessage(id, parts);
  errorText_ = Detokenize(text, true);
  std::string line = errorMessage_;
  line += " (";
  line += errorText_;
  line += " in ";
  line += CurrentContext();
  line += ") ";
  line += Host().EventContextName();
  Host().ReportLine(line);
}

bool TPasCalc::Execute(std::string_view prepared) {
  procs_.Clear();
  return Run(prepared);
}

bool TPasCalc::Run(std::string_view prepared) {
  ResetError();
  RunList(prepared);
  return errorCode_ == 0;
}

void TPasCalc::RunList(std::string_view prepared) {
  if (runs_++ == 0) {
    steps_ = 0;
    nextCheck_ = kStepsBetweenChecks;
    runStart_ = RunClock::now();
  }
  if (busy_ == 0) readings_.Trim();
  ++busy_;
  ExecList(prepared);
  --busy_;
  --runs_;
}

bool TPasCalc::CheckRun(std::string_view text) {
  nextCheck_ = steps_ + kStepsBetweenChecks;
  switch (Host().CheckRun(steps_, RunClock::now() - runStart_)) {
    case RunVerdict::Continue: return true;
    case RunVerdict::TooLong: ReportError(ScriptErrorId::kRunsTooLong, text); return false;
    case RunVerdict::Closing: ReportError(ScriptErrorId::kStoppedByClose, text); return false;
  }
  return true;
}

}  // namespace ox::script
