// Calls of native functions and of script procedures and functions.
#include <exception>

#include "script/convert.h"
#include "script/pascalc.h"
#include "script/script_error.h"

namespace ox::script {

namespace {

constexpr std::string_view kResult = "RESULT";

std::string ArgumentText(std::string_view arg) {
  std::string s = Detokenize(arg, true);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

void TPasCalc::Call(const std::string& name, const std::vector<Argument>& args, Value& result,
                    ProcedureCache* cache) {
  if ((cache && cache->procs == procs_.Layout()) || procs_.IndexOf(name) >= 0) {
    if (!CallProcedure(name, args, result, cache))
      ReportError(ScriptErrorId::kErrorInProcedure, text_, {name});
  } else {
    if (!CallNative(name, args, result, cache)) ReportError(ScriptErrorId::kErrorInFunction, text_, {name});
  }
}

bool TPasCalc::CallNative(const std::string& name, const std::vector<Argument>& args,
                          Value& result, ProcedureCache* cache) {
  ProcedureCache looked;
  ProcedureCache& found = cache ? *cache : looked;
  if (found.funcs != funcs_.Layout()) {
    found.native = funcs_.IndexOf(name);
    found.funcs = funcs_.Layout();
  }
  const int fi = found.native;
  if (fi < 0) {
    ReportError(ScriptErrorId::kUnknownFunction, text_, {name});
    return false;
  }
  TVarList list;
  std::vector<const std::string*> sources;
  sources.reserve(args.size());
  for (const Argument& a : args) {
    TVar r;
    if (!Evaluate(Expr{a.text, a.reading.get()}, r)) {
      ReportError(ScriptErrorId::kInvalidArgument, text_, {ArgumentText(a.text)});
      return false;
    }
    const bool fromVar = a.plainIsName && Locate(a.plain, a.place).index >= 0;
    list.Append(TVar{fromVar ? "VAR" : "VALUE", std::move(r.Val)});
    sources.push_back(fromVar ? &a.plain : nullptr);
  }
  TVar res;
  if (!RunNative(name, static_cast<std::size_t>(fi), list, res)) return false;
  for (std::size_t i = 0; i < sources.size() && i < list.Count(); ++i)
    if (sources[i]) vars_.SetValue(*sources[i], list[i].Val);
  result = std::move(res.Val);
  return true;
}

// A native that refuses its arguments or throws fails the call with the matching error; one
// whose string would grow too long runs out of memory.
bool TPasCalc::RunNative(const std::string& name, std::size_t index, TVarList& args, TVar& result) {
  try {
    if (funcs_[index].Callback(*this, args, result)) return true;
    ReportError(ScriptErrorId::kInvalidParameters, text_, {name});
  } catch (const StringTooLong&) {
    ReportError(ScriptErrorId::kOutOfMemory, text_);
  } catch (const std::exception& e) {
    ReportError(ScriptErrorId::kInvalidParametersWithReason, text_, {name, e.what()});
  }
  return false;
}

bool TPasCalc::CallProcedure(const std::string& name, const std::vector<Argument>& args,
                             Value& result, ProcedureCache* cache) {
  // What the call needs of the procedure is taken now: a native may recompile while it runs.
  ProcedureCache found;
  std::vector<std::string> splitParams;
  std::string bodyText;
  if (!FindProcedure(name, cache, found, splitParams, bodyText)) return false;
  if (callDepth_ >= kMaxCallDepth) {
    ReportError(ScriptErrorId::kTooManyNestedCalls, text_, {name, std::to_string(kMaxCallDepth)});
    return false;
  }
  const std::vector<std::string>& params = *found.params;
  if (args.size() != params.size()) {
    ReportError(ScriptErrorId::kWrongArgumentCount, text_, {name});
    return false;
  }
  // The procedure runs on a copy of the caller's variables with room for its parameters and
  // RESULT; the caller's own list is kept aside and put back after the call, also on failure.
  const std::string_view callText = text_;
  TVarList saved = std::move(vars_);
  vars_ = TakeSpareList();
  vars_.CopyWithRoom(saved, args.size() + 1);
  const bool ran = BindParameters(args, params, found.isFunction) &&
                   RunProcedureBody(Body{bodyText, found.body}, callText);
  SpareList after(*this, std::move(vars_));
  vars_ = std::move(saved);
  if (!ran) return false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (!args[i].plainIsName) continue;
    const int target = Locate(args[i].plain, args[i].place).index;
    if (target < 0) continue;
    if (const TVar* p = after.list.Find(params[i]))
      vars_[static_cast<std::size_t>(target)].Val = p->Val;
  }
  if (!found.isFunction) return true;
  TVar* r = after.list.Find(kResult);
  if (!r) {
    ReportError(ScriptErrorId::kNoFunctionResult, callText, {name});
    return false;
  }
  result = std::move(r->Val);
  return true;
}

TVarList TPasCalc::TakeSpareList() {
  if (spareLists_.empty()) return TVarList();
  TVarList list = std::move(spareLists_.back());
  spareLists_.pop_back();
  return list;
}

TPasCalc::SpareList::~SpareList() {
  list.Clear();
  calc.spareLists_.push_back(std::move(list));
}

bool TPasCalc::FindProcedure(const std::string& name, ProcedureCache* cache, ProcedureCache& found,
                             std::vector<std::string>& splitParams, std::string& bodyText) {
  if (cache && cache->procs == procs_.Layout()) {
    found = *cache;
    return true;
  }
  const TProcedure* proc = procs_.Get(name);
  if (!proc) {
    ReportError(ScriptErrorId::kUnknownProcedure, text_, {name});
    return false;
  }
  found.procs = procs_.Layout();
  found.isFunction = proc->IsFunction;
  if (remember_) {
    found.params = &readings_.Params(proc->Params);
    found.body = &readings_.List(proc->Body);
    if (cache) *cache = found;
  } else {
    splitParams = SplitParamNames(proc->Params);
    found.params = &splitParams;
    bodyText = proc->Body;
  }
  return true;
}

// Each argument is evaluated after the parameters before it are set; a function starts without
// a RESULT.
bool TPasCalc::BindParameters(const std::vector<Argument>& args,
                              const std::vector<std::string>& params, bool isFunction) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    TVar r;
    const Value* value = EvaluateInPlace(Expr{args[i].text, args[i].reading.get()}, r);
    if (!value) {
      ReportError(ScriptErrorId::kInvalidArgument, text_, {ArgumentText(args[i].text)});
      return false;
    }
    if (!vars_.Assign(TVar{params[i], value == &r.Val ? std::move(r.Val) : Value(*value)})) {
      ReportError(ScriptErrorId::kDuplicateParameter, text_, {params[i]});
      return false;
    }
  }
  if (isFunction) {
    for (std::size_t i = vars_.Count(); i-- > 0;)
      if (SameName(vars_[i].Name, kResult)) vars_.Delete(i);
  }
  return true;
}

// EXIT ends the body; BREAK, CONTINUE and a GOTO whose label the body lacks end the call with
// an error against the call's text.
bool TPasCalc::RunProcedureBody(const Body& body, std::string_view callText) {
  ++callDepth_;
  ExecList(body);
  --callDepth_;
  if (errorCode_) return false;
  switch (signal_) {
    case Signal::None: return true;
    case Signal::Exit: signal_ = Signal::None; return true;
    case Signal::Break:
    case Signal::Continue:
      ReportError(ScriptErrorId::kOutsideLoop, callText, {LoopSignalName(signal_)});
      return false;
    case Signal::Goto:
      ReportError(ScriptErrorId::kLabelNotFound, callText, {target_});
      signal_ = Signal::None;
      return false;
  }
  return true;
}

}  // namespace ox::script
