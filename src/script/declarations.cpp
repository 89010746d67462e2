// Compile: preparing a source and the declaration pass, with USES and INCLUDE files.
#include "script/convert.h"
#include "script/pascalc.h"

namespace ox::script {

std::string TPasCalc::Compile(const std::string& source) {
  ResetError();
  procs_.Clear();
  fileDepth_ = 0;
  fileAbort_ = false;
  std::string out;
  if (source.find(kTokenMark) != std::string::npos) {
    DeclarationPass(source, out);
    return out;
  }
  if (source != cacheSource_) {
    cacheTokens_ = TokenizeSource(source);
    cacheSource_ = source;
  }
  const std::string tokens = cacheTokens_;
  DeclarationPass(tokens, out);
  return out;
}

void TPasCalc::DeclarationPass(std::string_view text, std::string& out) {
  std::size_t pos = 0;
  while (!fileAbort_) {
    const std::uint64_t before = errorEvents_;
    std::string_view st = ReadStatement(text, pos);
    if (st.empty()) break;
    const int code = PeekToken(st, 0);
    if (code == tkProcedure || code == tkFunction) {
      if (!Declare(st, text, pos)) break;
    } else if (code == tkUses || code == tkInclude) {
      if (errorEvents_ != before) break;
      if (!IncludeFile(st, out, code == tkInclude)) break;
    } else {
      out.append(st);
      AppendToken(out, tkSemicolon, ";");
    }
  }
}

bool TPasCalc::Declare(std::string_view st, std::string_view text, std::size_t& pos) {
  const bool isFunction = PeekToken(st, 0) == tkFunction;
  Token t = ReadToken(st, 0);
  t = ReadToken(st, t.next);
  if (t.code != tkName) {
    ReportError(ScriptErrorId::kInvalidProcedureName, st);
    return false;
  }
  TProcedure proc;
  proc.Name.assign(t.text);
  proc.IsFunction = isFunction;
  if (procs_.IndexOf(proc.Name) >= 0) {
    ReportError(ScriptErrorId::kDuplicateProcedure, st);
    return false;
  }
  t = ReadToken(st, t.next);
  if (t.code != tkLParen) {
    ReportError(ScriptErrorId::kOpenParenExpected, st);
    return false;
  }
  bool expectName = true;
  bool first = true;
  while (true) {
    t = ReadToken(st, t.next);
    if (t.code == tkRParen && (first || !expectName)) break;
    if (expectName && t.code == tkName) {
      if (!proc.Params.empty()) proc.Params += "\r\n";
      proc.Params.append(t.text);
      expectName = false;
    } else if (!expectName && t.code == tkComma) {
      expectName = true;
    } else {
      ReportError(ScriptErrorId::kInvalidDeclaration, st);
      return false;
    }
    first = false;
  }
  const std::uint64_t before = errorEvents_;
  proc.Body.assign(ReadStatement(text, pos));
  if (errorEvents_ != before) return false;
  procs_.AddProc(proc);
  return true;
}

bool TPasCalc::IncludeFile(std::string_view st, std::string& out, bool include) {
  const char* keyword = include ? "INCLUDE" : "USES";
  const std::string_view expr = Slice(st, ReadToken(st, 0).next, std::string_view::npos);
  TVar v;
  std::string name;
  if (!Evaluate(expr, v) || !ToString(v.Val, name)) {
    ReportError(ScriptErrorId::kInvalidFileName, st, {expr, keyword});
    return false;
  }
  if (fileDepth_ >= kMaxFileDepth) {
    ReportError(ScriptErrorId::kTooManyNestedFiles, st,
                {std::to_string(kMaxFileDepth), name, keyword});
    fileAbort_ = true;
    return false;
  }
  std::string content;
  int err = 0;
  if (!Host().ReadScriptFile(name, content, err)) {
    ReportError(ScriptErrorId::kCannotOpenFile, st, {name, std::to_string(err)});
    return false;
  }
  const std::string tokens = TokenizeSource(content);
  std::string sub;
  ++fileDepth_;
  DeclarationPass(tokens, sub);
  --fileDepth_;
  if (include) out += sub;
  return !fileAbort_;
}

std::string_view TPasCalc::ReadStatement(std::string_view text, std::size_t& pos) {
  const StatementCut cut = CutStatement(text, pos, false);
  pos = cut.next;
  if (cut.error != ScriptErrorId::kNone) ReportError(cut.error, cut.text);
  return cut.text;
}

}  // namespace ox::script
