// The statement executor: Compile with the declaration pass, Execute, the
// statement reader and every statement.
#include <string>

#include "script/convert.h"
#include "script/operators.h"
#include "script/pascalc.h"

namespace ox::script {

namespace {

// Position of the first token with this code at or after `from`, npos when none.
std::size_t FindToken(std::string_view s, std::size_t from, int code) {
  std::size_t p = from;
  while (p < s.size()) {
    Token t = ReadToken(s, p);
    if (t.next == p) break;
    if (t.code == code) return p;
    p = t.next;
  }
  return std::string_view::npos;
}

// Position of the first token with either code.
std::size_t FindToken2(std::string_view s, std::size_t from, int a, int b, int& found) {
  std::size_t p = from;
  while (p < s.size()) {
    Token t = ReadToken(s, p);
    if (t.next == p) break;
    if (t.code == a || t.code == b) {
      found = t.code;
      return p;
    }
    p = t.next;
  }
  return std::string_view::npos;
}

std::string_view Slice(std::string_view s, std::size_t a, std::size_t b) {
  if (a >= s.size()) return {};
  return s.substr(a, b == std::string_view::npos ? std::string_view::npos : b - a);
}

const char* SignalName(bool isBreak) { return isBreak ? "BREAK" : "CONTINUE"; }

}  // namespace

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

bool TPasCalc::Execute(std::string_view prepared) {
  ResetError();
  procs_.Clear();
  RunList(prepared);
  return errorCode_ == 0;
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
  ExecList(prepared);
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

// ---------------------------------------------------------------------------------------------
// Declaration pass

void TPasCalc::DeclarationPass(std::string_view text, std::string& out) {
  std::size_t pos = 0;
  while (!fileAbort_) {
    const std::uint64_t before = errorEvents_;
    std::string_view st = ReadStatement(text, pos, false);
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
  proc.Body.assign(ReadStatement(text, pos, false));
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

// ---------------------------------------------------------------------------------------------
// Statement reader and statement lists

std::string_view TPasCalc::ReadStatement(std::string_view text, std::size_t& pos, bool stopAtElse,
                                         int* stopCode) {
  int block = 0, loop = 0;
  std::size_t start = std::string_view::npos, end = 0;
  if (stopCode) *stopCode = tkEnd;
  while (true) {
    const Token t = ReadToken(text, pos);
    if (t.code == tkEnd) break;
    const std::size_t at = pos;
    pos = t.next;
    if (start == std::string_view::npos && t.code == tkSemicolon) continue;
    switch (t.code) {
      case tkBegin:
      case tkCase: ++block; break;
      case tkEndKw: --block; break;
      case tkRepeat: ++loop; break;
      case tkUntil: --loop; break;
      default: break;
    }
    if (block == 0 && loop == 0 && (t.code == tkSemicolon || (stopAtElse && t.code == tkElse))) {
      if (stopCode) *stopCode = t.code;
      break;
    }
    if (start == std::string_view::npos) start = at;
    end = t.next;
  }
  const std::string_view st =
      start == std::string_view::npos ? std::string_view() : text.substr(start, end - start);
  if (block > 0)
    ReportError(ScriptErrorId::kEndExpected, st);
  else if (block < 0)
    ReportError(ScriptErrorId::kTooManyEnd, st);
  else if (loop > 0)
    ReportError(ScriptErrorId::kUntilExpected, st);
  else if (loop < 0)
    ReportError(ScriptErrorId::kTooManyUntil, st);
  return st;
}

void TPasCalc::ExecList(std::string_view text) {
  ++depth_;
  if (++nesting_ > kMaxNesting) {
    ReportError(ScriptErrorId::kTooDeepNesting, text);
  }
  std::size_t pos = 0;
  while (errorCode_ == 0) {
    const std::string_view st = ReadStatement(text, pos, false);
    if (st.empty() || errorCode_) break;
    ExecLabeled(st);
    if (signal_ == Signal::None) continue;
    if (errorCode_) break;
    if (depth_ == 0 && (signal_ == Signal::Break || signal_ == Signal::Continue)) {
      ReportError(ScriptErrorId::kOutsideLoop, st, {SignalName(signal_ == Signal::Break)});
      break;
    }
    if (signal_ != Signal::Goto) break;
    // Goto: look for the label from the start of this list.
    std::size_t p = 0;
    bool found = false;
    while (errorCode_ == 0) {
      const std::size_t at = p;
      const std::string_view s2 = ReadStatement(text, p, false);
      if (s2.empty()) break;
      const Token first = ReadToken(s2, 0);
      if (PeekToken(s2, first.next) == tkColon && first.text == target_) {
        found = true;
        pos = at;
        break;
      }
    }
    if (!found) break;
    signal_ = Signal::None;
  }
  --nesting_;
  --depth_;
  if (depth_ < 0 && signal_ == Signal::Goto && errorCode_ == 0)
    ReportError(ScriptErrorId::kLabelNotFound, text, {target_});
}

void TPasCalc::ExecLabeled(std::string_view st) {
  const Token first = ReadToken(st, 0);
  if (PeekToken(st, first.next) == tkColon) {
    const Token colon = ReadToken(st, first.next);
    ExecStatement(Slice(st, colon.next, std::string_view::npos));
    return;
  }
  ExecStatement(st);
}

void TPasCalc::ExecStatement(std::string_view st) {
  if (!Step(st)) return;
  const Token t = ReadToken(st, 0);
  switch (t.code) {
    case tkName: ExecAssign(st); return;
    case tkBegin: ExecBegin(st); return;
    case tkIf: ExecIf(st); return;
    case tkFor: ExecFor(st); return;
    case tkWhile: ExecWhile(st); return;
    case tkRepeat: ExecRepeat(st); return;
    case tkCase: ExecCase(st); return;
    case tkBreak: ExecSignal(st, Signal::Break); return;
    case tkContinue: ExecSignal(st, Signal::Continue); return;
    case tkExit: ExecSignal(st, Signal::Exit); return;
    case tkGoto: ExecGoto(st); return;
    case tkEndKw: ReportError(ScriptErrorId::kTooManyEnd, st); return;
    case tkElse: ReportError(ScriptErrorId::kElseWithoutIf, st); return;
    default: ReportError(ScriptErrorId::kInvalidStatement, st, {t.text}); return;
  }
}

// ---------------------------------------------------------------------------------------------
// Statements

void TPasCalc::ExecAssign(std::string_view st) {
  const Token nameTok = ReadToken(st, 0);
  const std::string_view name = nameTok.text;
  std::size_t p = nameTok.next;
  std::string i1, i2;
  bool has1 = false, has2 = false;
  if (PeekToken(st, p) == tkLBracket) {
    if (!ReadIndexList(st, p, i1)) return;
    has1 = true;
    if (PeekToken(st, p) == tkLBracket) {
      if (!ReadIndexList(st, p, i2)) return;
      has2 = true;
    }
  }
  const Token t = ReadToken(st, p);
  std::string_view expr;
  std::string built;
  const bool target = t.code == tkAssign;
  if (target) {
    expr = Slice(st, t.next, std::string_view::npos);
  } else if (t.code == tkLParen || t.code == tkLBracket || t.code == tkEnd) {
    if (!has1) {
      expr = st;
    } else {
      built.assign(st.substr(0, nameTok.next));
      built.append(Slice(st, p, std::string_view::npos));
      expr = built;
    }
  } else {
    ReportError(ScriptErrorId::kUnexpectedToken, st, {t.text});
    return;
  }
  TVar val;
  if (!Evaluate(expr, val)) {
    ReportError(ScriptErrorId::kErrorInExpression, st);
    return;
  }
  if (!target) return;

  const bool plain = vars_.Contains(name);
  bool strIndex = false;
  std::string sidx;
  if (has1 && plain && !has2) {
    strIndex = true;
    sidx = std::move(i1);
    has1 = false;
  } else if (has2) {
    strIndex = true;
    sidx = std::move(i2);
  }
  const std::string n(name);
  if (!IsValidVarName(n)) {
    ReportError(ScriptErrorId::kInvalidVariableName, st, {n});
    return;
  }
  std::string targetName = n;
  if (has1) {
    if (plain) {
      ReportError(ScriptErrorId::kDuplicateVariable, st, {n});
      return;
    }
    targetName += '[';
    targetName += i1;
    targetName += ']';
  } else if (IsArray(n)) {
    ReportError(ScriptErrorId::kDuplicateArray, st, {n});
    return;
  }
  if (!strIndex) {
    val.Name = std::move(targetName);
    vars_.Assign(std::move(val));
    return;
  }
  TVar cur;
  if (!GetValue(targetName, cur)) {
    ReportError(ScriptErrorId::kStringVariableNotFound, st, {n});
    return;
  }
  if (!cur.Val.IsString()) {
    ReportError(ScriptErrorId::kInvalidVariableType, st, {n});
    return;
  }
  if (sidx.empty()) return ReportError(ScriptErrorId::kEmptyStringIndex, st);
  if (sidx.find(',') != std::string::npos) return ReportError(ScriptErrorId::kInvalidStringIndex, st);
  std::int32_t idx = 0;
  if (!TextToInt32(sidx, idx)) return ReportError(ScriptErrorId::kBadStringIndex, st, {sidx});
  if (idx < 1 || static_cast<std::size_t>(idx) > cur.Val.s.size())
    return ReportError(ScriptErrorId::kStringIndexOutOfRange, st, {sidx});
  char ch = 0;
  if (val.Val.IsString()) {
    if (val.Val.s.size() != 1) {
      ReportError(ScriptErrorId::kCharacterExpected, st, {val.Val.s});
      return;
    }
    ch = val.Val.s[0];
  } else {
    std::int32_t code = 0;
    if (!ToInt32(val.Val, code)) {
      ReportError(ScriptErrorId::kInvalidVariableType, st, {n});
      return;
    }
    if (code < 0 || code > 255) {
      ReportError(ScriptErrorId::kCharacterOutOfRange, st, {std::to_string(code)});
      return;
    }
    ch = static_cast<char>(static_cast<unsigned char>(code));
  }
  cur.Val.s[static_cast<std::size_t>(idx - 1)] = ch;
  cur.Name = targetName;
  vars_.Assign(std::move(cur));
}

void TPasCalc::ExecBegin(std::string_view st) {
  const std::string_view rest = Slice(st, ReadToken(st, 0).next, std::string_view::npos);
  const std::size_t last = rest.rfind(kTokenMark);
  if (rest.empty() || last == std::string_view::npos || PeekToken(rest, last) != tkEndKw) {
    ReportError(ScriptErrorId::kEndExpected, st);
    return;
  }
  ExecList(rest.substr(0, last));
}

bool TPasCalc::Condition(std::string_view expr, std::string_view st, bool& out) {
  TVar v;
  if (!Evaluate(expr, v)) {
    ReportError(ScriptErrorId::kErrorInExpression, st);
    return false;
  }
  if (!ToBool(v.Val, out)) {
    ReportError(ScriptErrorId::kInvalidConditionType, st);
    return false;
  }
  return true;
}

void TPasCalc::ExecIf(std::string_view st) {
  const std::size_t afterIf = ReadToken(st, 0).next;
  const std::size_t thenAt = FindToken(st, afterIf, tkThen);
  const std::string_view cond = Slice(st, afterIf, thenAt);
  bool c = false;
  if (!Condition(cond, st, c)) return;
  if (thenAt == std::string_view::npos) return;
  const std::string_view rest = Slice(st, ReadToken(st, thenAt).next, std::string_view::npos);
  std::size_t p = 0;
  const std::string_view thenPart = ReadStatement(rest, p, true);
  if (errorCode_) return;
  if (c)
    ExecList(thenPart);
  else
    ExecList(Slice(rest, p, std::string_view::npos));
}

void TPasCalc::ExecFor(std::string_view st) {
  const std::size_t afterFor = ReadToken(st, 0).next;
  int dirCode = 0;
  const std::size_t toAt = FindToken2(st, afterFor, tkTo, tkDownto, dirCode);
  if (toAt == std::string_view::npos) {
    ReportError(ScriptErrorId::kToExpected, st);
    return;
  }
  const std::string_view head = Slice(st, afterFor, toAt);
  const Token var = ReadToken(head, 0);
  if (var.code != tkName) {
    ReportError(ScriptErrorId::kForVariableExpected, st);
    return;
  }
  const Token assign = ReadToken(head, var.next);
  if (assign.code != tkAssign) {
    ReportError(ScriptErrorId::kForAssignmentExpected, st, {assign.text});
    return;
  }
  const std::size_t afterTo = ReadToken(st, toAt).next;
  const std::size_t doAt = FindToken(st, afterTo, tkDo);
  if (doAt == std::string_view::npos) {
    ReportError(ScriptErrorId::kDoExpected, st);
    return;
  }
  const std::string_view e1 = Slice(head, assign.next, std::string_view::npos);
  const std::string_view e2 = Slice(st, afterTo, doAt);
  const std::string_view body = Slice(st, ReadToken(st, doAt).next, std::string_view::npos);
  TVar v1, v2;
  if (!Evaluate(e1, v1) || !Evaluate(e2, v2)) {
    ReportError(ScriptErrorId::kErrorInExpression, st);
    return;
  }
  std::int32_t from = 0, to = 0;
  if (!ToInt32(v1.Val, from) || !ToInt32(v2.Val, to)) {
    ReportError(ScriptErrorId::kInvalidLoopValue, st);
    return;
  }
  const std::string vname(var.text);
  const bool down = dirCode == tkDownto;
  for (std::int64_t c = from; down ? c >= to : c <= to; c += down ? -1 : 1) {
    TVar* cv = vars_.Find(vname);
    if (!cv) {
      ReportError(ScriptErrorId::kInvalidLoopVariable, st, {vname});
      return;
    }
    cv->Val = Value::Int32(static_cast<std::int32_t>(c));
    ExecList(body);
    if (LoopEnds() || !Step(st)) return;
  }
}

// After a loop's body: an error, a break (cleared), an exit or a goto end the loop; a continue
// (cleared) or no signal goes on.
bool TPasCalc::LoopEnds() {
  if (errorCode_) return true;
  if (signal_ == Signal::Break) {
    signal_ = Signal::None;
    return true;
  }
  if (signal_ == Signal::Continue) signal_ = Signal::None;
  return signal_ != Signal::None;
}

void TPasCalc::ExecWhile(std::string_view st) {
  const std::size_t afterWhile = ReadToken(st, 0).next;
  const std::size_t doAt = FindToken(st, afterWhile, tkDo);
  if (doAt == std::string_view::npos) {
    ReportError(ScriptErrorId::kDoExpected, st);
    return;
  }
  const std::string_view cond = Slice(st, afterWhile, doAt);
  const std::string_view body = Slice(st, ReadToken(st, doAt).next, std::string_view::npos);
  while (true) {
    bool c = false;
    if (!Condition(cond, st, c) || !c) return;
    ExecList(body);
    if (LoopEnds() || !Step(st)) return;
  }
}

void TPasCalc::ExecRepeat(std::string_view st) {
  const std::size_t afterRepeat = ReadToken(st, 0).next;
  const std::size_t untilAt = FindToken(st, afterRepeat, tkUntil);
  if (untilAt == std::string_view::npos) {
    ReportError(ScriptErrorId::kUntilExpected, st);
    return;
  }
  const std::string_view body = Slice(st, afterRepeat, untilAt);
  const std::string_view cond = Slice(st, ReadToken(st, untilAt).next, std::string_view::npos);
  while (true) {
    ExecList(body);
    if (errorCode_) return;
    bool c = false;
    if (!Condition(cond, st, c)) return;
    if (c || LoopEnds() || !Step(st)) return;
  }
}

void TPasCalc::ExecCase(std::string_view st) {
  const std::size_t afterCase = ReadToken(st, 0).next;
  const std::size_t ofAt = FindToken(st, afterCase, tkOf);
  if (ofAt == std::string_view::npos) {
    ReportError(ScriptErrorId::kOfExpected, st);
    return;
  }
  TVar sel;
  if (!Evaluate(Slice(st, afterCase, ofAt), sel)) {
    ReportError(ScriptErrorId::kErrorInExpression, st);
    return;
  }
  const bool selString = sel.Val.IsString();
  std::size_t p = ReadToken(st, ofAt).next;
  bool haveElse = false;
  std::string_view elseStmt;
  while (errorCode_ == 0) {
    const int next = PeekToken(st, p);
    if (next == tkEndKw) {
      if (haveElse) ExecList(elseStmt);
      return;
    }
    if (next == tkEnd) {
      ReportError(ScriptErrorId::kErrorInCase, st);
      return;
    }
    if (next == tkElse) {
      if (haveElse) {
        ReportError(ScriptErrorId::kTooManyCaseElse, st);
        return;
      }
      p = ReadToken(st, p).next;
      elseStmt = ReadStatement(st, p, false);
      haveElse = true;
      continue;
    }
    const std::size_t colonAt = FindToken(st, p, tkColon);
    if (colonAt == std::string_view::npos) {
      ReportError(ScriptErrorId::kColonExpected, st);
      return;
    }
    const std::string_view labels = Slice(st, p, colonAt);
    if (labels.empty()) {
      ReportError(ScriptErrorId::kRangeExpected, st);
      return;
    }
    p = ReadToken(st, colonAt).next;
    const std::string_view branch = ReadStatement(st, p, false);
    if (errorCode_) return;
    // Split the labels at top-level commas.
    std::size_t q = 0, itemStart = 0;
    int depth = 0;
    bool matched = false;
    while (!matched && errorCode_ == 0) {
      const Token t = ReadToken(labels, q);
      const bool atEnd = t.code == tkEnd;
      if (!atEnd) {
        if (t.code == tkLParen || t.code == tkLBracket) ++depth;
        if (t.code == tkRParen || t.code == tkRBracket) --depth;
      }
      if (atEnd || (t.code == tkComma && depth == 0)) {
        const std::string_view item = Slice(labels, itemStart, q);
        const std::size_t dd = FindToken(item, 0, tkDotDot);
        TVar low, high;
        const std::string_view lowText = dd == std::string_view::npos ? item : item.substr(0, dd);
        if (!Evaluate(lowText, low)) {
          ReportError(ScriptErrorId::kErrorInExpression, st);
          return;
        }
        if (dd == std::string_view::npos) {
          high = low;
        } else if (!Evaluate(Slice(item, ReadToken(item, dd).next, std::string_view::npos), high)) {
          ReportError(ScriptErrorId::kErrorInExpression, st);
          return;
        }
        if (low.Val.IsString() != high.Val.IsString()) {
          ReportError(ScriptErrorId::kInvalidCaseRangeType, st);
          return;
        }
        Value r;
        if (!ApplyOperator(tkGt, low.Val, high.Val, r)) {
          ReportError(ScriptErrorId::kInvalidOperandTypes, st, {">"});
          return;
        }
        if (r.i) std::swap(low, high);
        if (selString == low.Val.IsString()) {
          Value a, b;
          if (!ApplyOperator(tkLe, low.Val, sel.Val, a) || !ApplyOperator(tkLe, sel.Val, high.Val, b)) {
            ReportError(ScriptErrorId::kInvalidOperandTypes, st, {"<="});
            return;
          }
          if (a.i && b.i) matched = true;
        }
        if (atEnd) break;
        itemStart = t.next;
      }
      q = t.next;
    }
    if (errorCode_) return;
    if (matched) {
      ExecList(branch);
      return;
    }
  }
}

void TPasCalc::ExecSignal(std::string_view st, Signal s) {
  const Token kw = ReadToken(st, 0);
  if (PeekToken(st, kw.next) != tkEnd)
    ReportError(ScriptErrorId::kInvalidKeywordStatement, st, {kw.text});
  signal_ = s;
}

void TPasCalc::ExecGoto(std::string_view st) {
  const Token kw = ReadToken(st, 0);
  const Token label = ReadToken(st, kw.next);
  bool ok = (label.code == tkName || label.code == tkLiteral) && !label.text.empty();
  for (char c : label.text)
    if (!IsIdentChar(static_cast<unsigned char>(c))) ok = false;
  if (!ok) {
    ReportError(ScriptErrorId::kInvalidGotoLabel, st);
    return;
  }
  if (PeekToken(st, label.next) != tkEnd) {
    ReportError(ScriptErrorId::kErrorInGoto, st);
    return;
  }
  target_.assign(label.text);
  signal_ = Signal::Goto;
}

}  // namespace ox::script
