// The statement executor: statement lists with their labels and GOTO, and every statement. Each
// statement is read from its text (the re-reading path) and then run by a part shared with
// remembered readings (run_reading.cpp).
#include <algorithm>
#include <optional>
#include <string>

#include "script/convert.h"
#include "script/operators.h"
#include "script/pascalc.h"

namespace ox::script {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Re-reading cuts the statement at `cursor` into `entry`, as a list's reading would.
ListReading::Entry& CutEntry(std::string_view text, std::size_t& cursor, ListReading::Entry& entry) {
  entry.cut = CutStatement(text, cursor, false);
  cursor = entry.cut.next;
  const LabelledStatement split = SplitLabel(entry.cut.text);
  entry.label = split.label;
  entry.body = split.body;
  return entry;
}

}  // namespace

void TPasCalc::ExecList(std::string_view text) {
  if (remember_)
    ExecListFrom(&readings_.List(text), text);
  else
    ExecListFrom(nullptr, text);
}

void TPasCalc::ExecList(ListReading& list) { ExecListFrom(&list, list.Text()); }

void TPasCalc::ExecList(const Body& body) {
  if (body.reading)
    ExecList(*body.reading);
  else
    ExecList(body.text);
}

// `cursor` is a position in the text when re-reading, an entry number when remembered.
void TPasCalc::ExecListFrom(ListReading* list, std::string_view text) {
  std::optional<ListReading::Entry> cut;  // the statement re-reading cut last
  auto read = [&](std::size_t& cursor) -> ListReading::Entry& {
    ListReading::Entry& e = list ? list->At(cursor++) : CutEntry(text, cursor, cut.emplace());
    if (e.cut.error != ScriptErrorId::kNone) ReportError(e.cut.error, e.cut.text);
    return e;
  };
  ++depth_;
  if (++nesting_ > kMaxNesting) ReportError(ScriptErrorId::kTooDeepNesting, text);
  std::size_t pos = 0;
  while (errorCode_ == 0) {
    ListReading::Entry& st = read(pos);
    if (st.cut.text.empty() || errorCode_) break;
    if (list)
      RunStatement(st);
    else
      ExecStatement(st.body);
    if (signal_ == Signal::None) continue;
    if (errorCode_) break;
    if (depth_ == 0 && (signal_ == Signal::Break || signal_ == Signal::Continue)) {
      ReportError(ScriptErrorId::kOutsideLoop, st.cut.text, {LoopSignalName(signal_)});
      break;
    }
    if (signal_ != Signal::Goto) break;
    // Goto: look for the label from the start of this list.
    std::size_t p = 0;
    bool found = false;
    while (errorCode_ == 0) {
      const std::size_t at = p;
      const ListReading::Entry& s2 = read(p);
      if (s2.cut.text.empty()) break;
      if (!s2.label.empty() && s2.label == target_) {
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

void TPasCalc::ExecAssign(std::string_view st) {
  const Token nameTok = ReadToken(st, 0);
  const std::string_view name = nameTok.text;
  std::size_t p = nameTok.next;
  std::string index[2];
  int lists = 0;
  while (lists < 2 && PeekToken(st, p) == tkLBracket) {
    const IndexCut cut = CutIndexList(st, p);
    if (!EvaluateIndex(cut, nullptr, st, index[lists])) return;
    ++lists;
    p = cut.next;
  }
  const Token t = ReadToken(st, p);
  std::string_view expr;
  std::string built;
  const bool target = t.code == tkAssign;
  if (target) {
    expr = Slice(st, t.next, npos);
  } else if (t.code == tkLParen || t.code == tkLBracket || t.code == tkEnd) {
    if (lists == 0) {
      expr = st;
    } else {
      built.assign(st.substr(0, nameTok.next));
      built.append(Slice(st, p, npos));
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
  NamePlace place;
  if (target) StoreAssignment(name, IsValidVarName(name), lists, index, std::move(val), st, place);
}

void TPasCalc::StoreAssignment(std::string_view name, bool validName, int lists,
                               std::string (&index)[2], TVar&& val, std::string_view st,
                               NamePlace& place) {
  if (!validName) {
    ReportError(ScriptErrorId::kInvalidVariableName, st, {name});
    return;
  }
  const NamePlace& where = Locate(name, place);
  // A plain name without index lists is the variable itself.
  if (lists == 0) {
    if (where.isArray) return ReportError(ScriptErrorId::kDuplicateArray, st, {name});
    if (where.index >= 0) {
      vars_[static_cast<std::size_t>(where.index)].Val = std::move(val.Val);
      return;
    }
    val.Name.assign(name);
    vars_.AssignAbsent(std::move(val), true);
    return;
  }
  NameRef ref;
  if (!ResolveName(name, lists, index, where.index >= 0, where.isArray, st, ref)) return;
  if (!ref.stringIndex) {
    val.Name = std::move(ref.full);
    vars_.Assign(std::move(val));
    return;
  }
  TVar cur;
  if (!GetValue(ref.full, cur)) {
    ReportError(ScriptErrorId::kStringVariableNotFound, st, {name});
    return;
  }
  std::size_t at = 0;
  if (!StringPosition(cur.Val, name, ref.index, st, at)) return;
  char ch = 0;
  if (val.Val.IsString()) {
    if (val.Val.s.size() != 1) return ReportError(ScriptErrorId::kCharacterExpected, st, {val.Val.s});
    ch = val.Val.s[0];
  } else {
    std::int32_t code = 0;
    if (!ToInt32(val.Val, code)) return ReportError(ScriptErrorId::kInvalidVariableType, st, {name});
    if (code < 0 || code > 255)
      return ReportError(ScriptErrorId::kCharacterOutOfRange, st, {std::to_string(code)});
    ch = static_cast<char>(static_cast<unsigned char>(code));
  }
  cur.Val.s[at] = ch;
  cur.Name = std::move(ref.full);
  vars_.Assign(std::move(cur));
}

void TPasCalc::ExecBegin(std::string_view st) {
  const std::string_view rest = Slice(st, ReadToken(st, 0).next, npos);
  const std::size_t last = rest.rfind(kTokenMark);
  if (rest.empty() || last == npos || PeekToken(rest, last) != tkEndKw) {
    ReportError(ScriptErrorId::kEndExpected, st);
    return;
  }
  ExecList(rest.substr(0, last));
}

bool TPasCalc::Condition(const Expr& expr, std::string_view st, bool& out) {
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
  const std::string_view rest =
      thenAt == npos ? std::string_view() : Slice(st, ReadToken(st, thenAt).next, npos);
  const StatementCut thenCut = CutStatement(rest, 0, true);
  RunIf(Expr{Slice(st, afterIf, thenAt)}, thenAt != npos, thenCut, Body{thenCut.text},
        Body{Slice(rest, thenCut.next, npos)}, st);
}

void TPasCalc::RunIf(const Expr& cond, bool hasThen, const StatementCut& thenCut,
                     const Body& thenPart, const Body& elsePart, std::string_view st) {
  bool c = false;
  if (!Condition(cond, st, c) || !hasThen) return;
  if (thenCut.error != ScriptErrorId::kNone) return ReportError(thenCut.error, thenCut.text);
  ExecList(c ? thenPart : elsePart);
}

void TPasCalc::ExecFor(std::string_view st) {
  const std::size_t afterFor = ReadToken(st, 0).next;
  int dirCode = 0;
  const std::size_t toAt = FindToken2(st, afterFor, tkTo, tkDownto, dirCode);
  if (toAt == npos) return ReportError(ScriptErrorId::kToExpected, st);
  const std::string_view head = Slice(st, afterFor, toAt);
  const Token var = ReadToken(head, 0);
  if (var.code != tkName) return ReportError(ScriptErrorId::kForVariableExpected, st);
  const Token assign = ReadToken(head, var.next);
  if (assign.code != tkAssign) return ReportError(ScriptErrorId::kForAssignmentExpected, st, {assign.text});
  const std::size_t afterTo = ReadToken(st, toAt).next;
  const std::size_t doAt = FindToken(st, afterTo, tkDo);
  if (doAt == npos) return ReportError(ScriptErrorId::kDoExpected, st);
  NamePlace place;
  RunFor(var.text, dirCode == tkDownto, Expr{Slice(head, assign.next, npos)},
         Expr{Slice(st, afterTo, doAt)}, Body{Slice(st, ReadToken(st, doAt).next, npos)}, st, place);
}

void TPasCalc::RunFor(std::string_view var, bool down, const Expr& e1, const Expr& e2,
                      const Body& body, std::string_view st, NamePlace& place) {
  TVar v1, v2;
  if (!Evaluate(e1, v1) || !Evaluate(e2, v2)) return ReportError(ScriptErrorId::kErrorInExpression, st);
  std::int32_t from = 0, to = 0;
  if (!ToInt32(v1.Val, from) || !ToInt32(v2.Val, to)) return ReportError(ScriptErrorId::kInvalidLoopValue, st);
  for (std::int64_t c = from; down ? c >= to : c <= to; c += down ? -1 : 1) {
    const int at = Locate(var, place).index;
    if (at < 0) return ReportError(ScriptErrorId::kInvalidLoopVariable, st, {var});
    vars_[static_cast<std::size_t>(at)].Val.SetInteger(Kind::Int32, c);
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
  if (doAt == npos) return ReportError(ScriptErrorId::kDoExpected, st);
  RunWhile(Expr{Slice(st, afterWhile, doAt)}, Body{Slice(st, ReadToken(st, doAt).next, npos)}, st);
}

void TPasCalc::RunWhile(const Expr& cond, const Body& body, std::string_view st) {
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
  if (untilAt == npos) return ReportError(ScriptErrorId::kUntilExpected, st);
  RunRepeat(Expr{Slice(st, ReadToken(st, untilAt).next, npos)}, Body{Slice(st, afterRepeat, untilAt)}, st);
}

void TPasCalc::RunRepeat(const Expr& cond, const Body& body, std::string_view st) {
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
  if (ofAt == npos) return ReportError(ScriptErrorId::kOfExpected, st);
  TVar sel;
  if (!Evaluate(Slice(st, afterCase, ofAt), sel)) return ReportError(ScriptErrorId::kErrorInExpression, st);
  std::size_t p = ReadToken(st, ofAt).next;
  bool haveElse = false;
  std::string_view elseStmt;
  while (errorCode_ == 0) {
    const int next = PeekToken(st, p);
    if (next == tkEndKw) {
      if (haveElse) ExecList(elseStmt);
      return;
    }
    if (next == tkEnd) return ReportError(ScriptErrorId::kErrorInCase, st);
    if (next == tkElse) {
      if (haveElse) return ReportError(ScriptErrorId::kTooManyCaseElse, st);
      p = ReadToken(st, p).next;
      elseStmt = ReadStatement(st, p);
      haveElse = true;
      continue;
    }
    const std::size_t colonAt = FindToken(st, p, tkColon);
    if (colonAt == npos) return ReportError(ScriptErrorId::kColonExpected, st);
    const std::string_view labels = Slice(st, p, colonAt);
    if (labels.empty()) return ReportError(ScriptErrorId::kRangeExpected, st);
    p = ReadToken(st, colonAt).next;
    const std::string_view branch = ReadStatement(st, p);
    if (errorCode_) return;
    bool matched = false;
    for (std::string_view item : SplitTopLevel(labels, Nesting::AnyBracket)) {
      const std::size_t dd = FindToken(item, 0, tkDotDot);
      const Expr high{Slice(item, dd == npos ? 0 : ReadToken(item, dd).next, npos)};
      const Expr low{dd == npos ? item : item.substr(0, dd)};
      if (!CaseItemMatches(low, dd == npos ? nullptr : &high, sel.Val, st, matched)) return;
      if (matched) return ExecList(branch);
    }
  }
}

// One CASE label: a value, or a range low .. high (swapped when low > high); the selector
// matches when it is of the same string-ness and inside.
bool TPasCalc::CaseItemMatches(const Expr& lowText, const Expr* highText, const Value& selector,
                               std::string_view st, bool& matched) {
  // Small-integer labels that are literals or plain variables compare where they stand.
  const Value* lo = lowText.reading ? StoredValue(*lowText.reading) : nullptr;
  const Value* hi = !highText ? lo : highText->reading ? StoredValue(*highText->reading) : nullptr;
  if (lo && hi && IsSmallInteger(*lo) && IsSmallInteger(*hi) && IsSmallInteger(selector)) {
    matched = std::min(lo->i, hi->i) <= selector.i && selector.i <= std::max(lo->i, hi->i);
    return true;
  }
  return CaseRangeMatches(lowText, highText, selector, st, matched);
}

bool TPasCalc::CaseRangeMatches(const Expr& lowText, const Expr* highText, const Value& selector,
                                std::string_view st, bool& matched) {
  TVar low, high;
  const Value* lo = EvaluateInPlace(lowText, low);
  if (!lo) return ReportError(ScriptErrorId::kErrorInExpression, st), false;
  // A single value is a range from itself to itself. Reading the high end may run a call that
  // replaces the variables, so the low end is copied first.
  if (highText && lo != &low.Val) {
    low.Val = *lo;
    lo = &low.Val;
  }
  const Value* hi = highText ? EvaluateInPlace(*highText, high) : lo;
  if (!hi) return ReportError(ScriptErrorId::kErrorInExpression, st), false;
  if (lo->IsString() != hi->IsString())
    return ReportError(ScriptErrorId::kInvalidCaseRangeType, st), false;
  Value r;
  if (!ApplyOperator(tkGt, *lo, *hi, r))
    return ReportError(ScriptErrorId::kInvalidOperandTypes, st, {">"}), false;
  if (r.i) std::swap(lo, hi);
  if (selector.IsString() != lo->IsString()) return true;
  Value a, b;
  if (!ApplyOperator(tkLe, *lo, selector, a) || !ApplyOperator(tkLe, selector, *hi, b))
    return ReportError(ScriptErrorId::kInvalidOperandTypes, st, {"<="}), false;
  matched = a.i && b.i;
  return true;
}

void TPasCalc::ExecSignal(std::string_view st, Signal s) {
  const Token kw = ReadToken(st, 0);
  if (PeekToken(st, kw.next) != tkEnd) ReportError(ScriptErrorId::kInvalidKeywordStatement, st, {kw.text});
  signal_ = s;
}

void TPasCalc::ExecGoto(std::string_view st) {
  const Token kw = ReadToken(st, 0);
  const Token label = ReadToken(st, kw.next);
  bool ok = (label.code == tkName || label.code == tkLiteral) && !label.text.empty();
  for (char c : label.text)
    if (!IsIdentChar(static_cast<unsigned char>(c))) ok = false;
  if (!ok) return ReportError(ScriptErrorId::kInvalidGotoLabel, st);
  if (PeekToken(st, label.next) != tkEnd) return ReportError(ScriptErrorId::kErrorInGoto, st);
  target_.assign(label.text);
  signal_ = Signal::Goto;
}

}  // namespace ox::script
