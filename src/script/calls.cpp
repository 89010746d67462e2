// Calls of native functions and of script procedures and functions.
#include <exception>

#include "script/convert.h"
#include "script/pascalc.h"
#include "script/script_error.h"

namespace ox::script {

namespace {

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
    if (!CallNative(name, args, result)) ReportError(ScriptErrorId::kErrorInFunction, text_, {name});
  }
}

bool TPasCalc::CallNative(const std::string& name, const std::vector<Argument>& args,
                          Value& result) {
  const int fi = funcs_.IndexOf(name);
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
    const bool fromVar = a.plainIsName && vars_.Contains(a.plain);
    list.Append(TVar{fromVar ? "VAR" : "VALUE", std::move(r.Val)});
    sources.push_back(fromVar ? &a.plain : nullptr);
  }
  TVar res;
  bool ok = false;
  std::string message;
  bool thrown = false;
  try {
    ok = funcs_[static_cast<std::size_t>(fi)].Callback(*this, list, res);
  } catch (const StringTooLong&) {
    ReportError(ScriptErrorId::kOutOfMemory, text_);
    return false;
  } catch (const std::exception& e) {
    ok = false;
    thrown = true;
    message = e.what();
  }
  if (!ok) {
    if (thrown)
      ReportError(ScriptErrorId::kInvalidParametersWithReason, text_, {name, message});
    else
      ReportError(ScriptErrorId::kInvalidParameters, text_, {name});
    return false;
  }
  for (std::size_t i = 0; i < sources.size() && i < list.Count(); ++i)
    if (sources[i]) vars_.SetValue(*sources[i], list[i].Val);
  result = std::move(res.Val);
  return true;
}

bool TPasCalc::CallProcedure(const std::string& name, const std::vector<Argument>& args,
                             Value& result, ProcedureCache* cache) {
  // What the call needs of the procedure is taken now: a native may recompile while it runs.
  ProcedureCache found;
  std::vector<std::string> splitParams;
  std::string bodyText;
  if (cache && cache->procs == procs_.Layout()) {
    found = *cache;
  } else {
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
  }
  if (callDepth_ >= kMaxCallDepth) {
    ReportError(ScriptErrorId::kTooManyNestedCalls, text_, {name, std::to_string(kMaxCallDepth)});
    return false;
  }
  const bool isFunction = found.isFunction;
  const std::vector<std::string>* params = found.params;
  const Body body{bodyText, found.body};
  if (args.size() != params->size()) {
    ReportError(ScriptErrorId::kWrongArgumentCount, text_, {name});
    return false;
  }
  TVarList saved = vars_;
  // On a failure after this point the caller's variables are put back as they were.
  auto fail = [&] {
    vars_ = std::move(saved);
    return false;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    TVar r;
    if (!Evaluate(Expr{args[i].text, args[i].reading.get()}, r)) {
      ReportError(ScriptErrorId::kInvalidArgument, text_, {ArgumentText(args[i].text)});
      return fail();
    }
    if (!vars_.Assign(TVar{(*params)[i], std::move(r.Val)})) {
      ReportError(ScriptErrorId::kDuplicateParameter, text_, {(*params)[i]});
      return fail();
    }
  }
  if (isFunction) {
    for (std::size_t i = vars_.Count(); i-- > 0;)
      if (vars_[i].Name == "RESULT") vars_.Delete(i);
  }
  const std::string_view savedText = text_;
  ++callDepth_;
  ExecList(body);
  --callDepth_;
  if (errorCode_) return fail();
  if (signal_ == Signal::Exit) {
    signal_ = Signal::None;
  } else if (signal_ == Signal::Break || signal_ == Signal::Continue) {
    ReportError(ScriptErrorId::kOutsideLoop, savedText, {LoopSignalName(signal_)});
    return fail();
  } else if (signal_ == Signal::Goto) {
    ReportError(ScriptErrorId::kLabelNotFound, savedText, {target_});
    signal_ = Signal::None;
    return fail();
  }
  TVarList after = std::move(vars_);
  vars_ = std::move(saved);
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (!args[i].plainIsName || !vars_.Contains(args[i].plain)) continue;
    if (const TVar* p = after.Find((*params)[i])) vars_.SetValue(args[i].plain, p->Val);
  }
  if (isFunction) {
    const TVar* r = after.Find("RESULT");
    if (!r) {
      ReportError(ScriptErrorId::kNoFunctionResult, savedText, {name});
      return false;
    }
    result = r->Val;
  }
  return true;
}

}  // namespace ox::script
