// Reading a statement's parts once: its expressions, its nested statement lists and, for CASE,
// the branches in the order the run meets them.
#include "script/reading.h"
#include "script/tokens.h"
#include "script/var_list.h"

namespace ox::script {

namespace {

constexpr std::size_t npos = std::string_view::npos;

std::unique_ptr<ListReading> List(std::string_view text) { return std::make_unique<ListReading>(text); }

void ReadAssign(StatementReading& s) {
  const std::string_view st = s.text;
  const Token nameTok = ReadToken(st, 0);
  s.name.assign(nameTok.text);
  s.validName = IsValidVarName(s.name);
  std::size_t p = nameTok.next;
  for (auto* index : {&s.index1, &s.index2}) {
    if (PeekToken(st, p) != tkLBracket) break;
    *index = ReadIndexList(st, p, 0);
    if ((*index)->cut.error != ScriptErrorId::kNone) return;  // the run stops at this list
    p = (*index)->cut.next;
  }
  const Token t = ReadToken(st, p);
  s.target = t.code == tkAssign;
  std::string_view expr;
  if (s.target) {
    expr = Slice(st, t.next, npos);
  } else if (t.code == tkLParen || t.code == tkLBracket || t.code == tkEnd) {
    if (!s.index1) {
      expr = st;
    } else {
      s.built.assign(st.substr(0, nameTok.next));
      s.built.append(Slice(st, p, npos));
      expr = s.built;
    }
  } else {
    s.tokenError = ScriptErrorId::kUnexpectedToken;
    s.tokenText = t.text;
    return;
  }
  s.expr1 = ReadExpression(expr);
}

bool ReadBegin(StatementReading& s) {
  const std::string_view st = s.text;
  const std::string_view rest = Slice(st, ReadToken(st, 0).next, npos);
  const std::size_t last = rest.rfind(kTokenMark);
  if (rest.empty() || last == npos || PeekToken(rest, last) != tkEndKw) return false;
  s.list1 = List(rest.substr(0, last));
  return true;
}

bool ReadIf(StatementReading& s) {
  const std::string_view st = s.text;
  const std::size_t afterIf = ReadToken(st, 0).next;
  const std::size_t thenAt = FindToken(st, afterIf, tkThen);
  s.expr1 = ReadExpression(Slice(st, afterIf, thenAt));
  s.hasThen = thenAt != npos;
  if (!s.hasThen) return true;
  const std::string_view rest = Slice(st, ReadToken(st, thenAt).next, npos);
  s.thenCut = CutStatement(rest, 0, true);
  s.list1 = List(s.thenCut.text);
  s.list2 = List(Slice(rest, s.thenCut.next, npos));
  return true;
}

// Only a FOR whose head reads without an error; the others are re-read, which reports it.
bool ReadFor(StatementReading& s) {
  const std::string_view st = s.text;
  const std::size_t afterFor = ReadToken(st, 0).next;
  int dirCode = 0;
  const std::size_t toAt = FindToken2(st, afterFor, tkTo, tkDownto, dirCode);
  if (toAt == npos) return false;
  const std::string_view head = Slice(st, afterFor, toAt);
  const Token var = ReadToken(head, 0);
  const Token assign = ReadToken(head, var.next);
  if (var.code != tkName || assign.code != tkAssign) return false;
  const std::size_t afterTo = ReadToken(st, toAt).next;
  const std::size_t doAt = FindToken(st, afterTo, tkDo);
  if (doAt == npos) return false;
  s.var.assign(var.text);
  s.down = dirCode == tkDownto;
  s.expr1 = ReadExpression(Slice(head, assign.next, npos));
  s.expr2 = ReadExpression(Slice(st, afterTo, doAt));
  s.list1 = List(Slice(st, ReadToken(st, doAt).next, npos));
  return true;
}

// WHILE cond DO body and REPEAT body UNTIL cond.
bool ReadLoop(StatementReading& s, int keyword) {
  const std::string_view st = s.text;
  const std::size_t after = ReadToken(st, 0).next;
  const std::size_t at = FindToken(st, after, keyword);
  if (at == npos) return false;
  const std::string_view before = Slice(st, after, at);
  const std::string_view rest = Slice(st, ReadToken(st, at).next, npos);
  s.expr1 = ReadExpression(keyword == tkDo ? before : rest);
  s.list1 = List(keyword == tkDo ? rest : before);
  return true;
}

CaseStep Step(CaseStep::Kind kind, ScriptErrorId error = ScriptErrorId::kNone) {
  CaseStep step;
  step.kind = kind;
  step.error = error;
  return step;
}

// A branch "labels: statement" from p; false when the step ends the CASE with an error.
bool ReadBranch(std::string_view st, std::size_t& p, CaseStep& step) {
  const std::size_t colonAt = FindToken(st, p, tkColon);
  if (colonAt == npos) return step = Step(CaseStep::Kind::Error, ScriptErrorId::kColonExpected), false;
  const std::string_view labels = Slice(st, p, colonAt);
  if (labels.empty()) return step = Step(CaseStep::Kind::Error, ScriptErrorId::kRangeExpected), false;
  p = ReadToken(st, colonAt).next;
  const StatementCut cut = CutStatement(st, p, false);
  p = cut.next;
  step = Step(CaseStep::Kind::Branch, cut.error);
  step.statement = cut.text;
  step.list = List(cut.text);
  for (std::string_view item : SplitTopLevel(labels, Nesting::AnyBracket)) {
    const std::size_t dd = FindToken(item, 0, tkDotDot);
    CaseStep::Item it;
    it.low = ReadExpression(dd == npos ? item : item.substr(0, dd));
    if (dd != npos) it.high = ReadExpression(Slice(item, ReadToken(item, dd).next, npos));
    it.literal = it.high ? nullptr : it.low->Literal();
    step.items.push_back(std::move(it));
  }
  return cut.error == ScriptErrorId::kNone;
}

bool ReadCase(StatementReading& s) {
  const std::string_view st = s.text;
  const std::size_t afterCase = ReadToken(st, 0).next;
  const std::size_t ofAt = FindToken(st, afterCase, tkOf);
  if (ofAt == npos) return false;
  s.expr1 = ReadExpression(Slice(st, afterCase, ofAt));
  std::size_t p = ReadToken(st, ofAt).next;
  bool haveElse = false;
  while (true) {
    const int next = PeekToken(st, p);
    if (next == tkEndKw) return s.steps.push_back(Step(CaseStep::Kind::End)), true;
    if (next == tkEnd) return s.steps.push_back(Step(CaseStep::Kind::Error, ScriptErrorId::kErrorInCase)), true;
    if (next == tkElse) {
      if (haveElse) return s.steps.push_back(Step(CaseStep::Kind::Error, ScriptErrorId::kTooManyCaseElse)), true;
      p = ReadToken(st, p).next;
      const StatementCut cut = CutStatement(st, p, false);
      p = cut.next;
      CaseStep step = Step(CaseStep::Kind::Else, cut.error);
      step.statement = cut.text;
      step.list = List(cut.text);
      s.steps.push_back(std::move(step));
      if (cut.error != ScriptErrorId::kNone) return true;
      haveElse = true;
      continue;
    }
    CaseStep step;
    const bool goesOn = ReadBranch(st, p, step);
    s.steps.push_back(std::move(step));
    if (!goesOn) return true;
  }
}

}  // namespace

std::unique_ptr<StatementReading> ReadStatementParts(std::string_view text) {
  auto s = std::make_unique<StatementReading>();
  s->text = text;
  using Kind = StatementReading::Kind;
  switch (PeekToken(text, 0)) {
    case tkName: ReadAssign(*s); s->kind = Kind::Assign; break;
    case tkBegin: s->kind = ReadBegin(*s) ? Kind::Begin : Kind::Reread; break;
    case tkIf: s->kind = ReadIf(*s) ? Kind::If : Kind::Reread; break;
    case tkFor: s->kind = ReadFor(*s) ? Kind::For : Kind::Reread; break;
    case tkWhile: s->kind = ReadLoop(*s, tkDo) ? Kind::While : Kind::Reread; break;
    case tkRepeat: s->kind = ReadLoop(*s, tkUntil) ? Kind::Repeat : Kind::Reread; break;
    case tkCase: s->kind = ReadCase(*s) ? Kind::Case : Kind::Reread; break;
    default: break;
  }
  return s;
}

}  // namespace ox::script
