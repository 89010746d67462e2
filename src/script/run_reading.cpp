// Running remembered readings: expressions from their trees, statements from their parts. Every
// check, error and side effect comes at the point where re-reading the text would give it.
#include "script/operators.h"
#include "script/pascalc.h"

namespace ox::script {

bool TPasCalc::EvaluateReading(const ExprReading& e, TVar& result) {
  // With an error already recorded, re-reading still runs the first primary (a native call
  // among them): leave that rare case to it.
  if (e.reread || errorCode_ != 0) return Reread(e.text, result);
  if (const Value* stored = StoredValue(e)) {
    result.Val = *stored;
    return true;
  }
  const std::string_view savedText = text_;
  const bool savedStop = stopped_;
  text_ = e.text;
  stopped_ = false;
  ++busy_;
  result.Val = Value{};
  bool ok = false;
  if (e.empty) {
    ReportError(ScriptErrorId::kEmptyExpression, e.text);
  } else if (++nesting_ > kMaxNesting) {
    ReportError(ScriptErrorId::kTooDeepNesting, e.text);
  } else {
    EvalNode(*e.root, result.Val);
    ok = errorCode_ == 0 && !e.trailing && !stopped_;
  }
  --nesting_;
  --busy_;
  text_ = savedText;
  stopped_ = savedStop;
  return ok;
}

void TPasCalc::EvalNode(const ExprNode& n, Value& v) {
  switch (n.op) {
    case ExprNode::Op::Literal: v = n.value; return;
    case ExprNode::Op::Error: ReportError(n.error, text_, {n.part}); return;
    case ExprNode::Op::Paren:
      if (++nesting_ > kMaxNesting) {
        ReportError(ScriptErrorId::kTooDeepNesting, text_);
        --nesting_;
        return;
      }
      EvalNode(*n.a, v);
      --nesting_;
      if (errorCode_) return;
      if (stopped_ || !n.closed) ReportError(ScriptErrorId::kCloseParenExpected, text_);
      return;
    case ExprNode::Op::Unary:
      EvalNode(*n.a, v);
      if (errorCode_) return;
      Prefix(n.token, v);
      return;
    case ExprNode::Op::Binary: {
      // Two small integers stored where they stand combine straight into the result.
      if (const Value* a = StoredValue(*n.a))
        if (const Value* b = StoredValue(*n.b); b && CombineSmallIntegers(n.token, *a, *b, v))
          return;
      EvalNode(*n.a, v);
      if (errorCode_ || stopped_) return;
      if (const Value* stored = StoredValue(*n.b)) return Binary(n.token, v, *stored);
      Value r;
      EvalNode(*n.b, r);
      if (errorCode_) return;
      Binary(n.token, v, r);
      return;
    }
    case ExprNode::Op::Name:
      if (const Value* stored = StoredValue(n)) {
        v = *stored;
        return;
      }
      EvalName(n, v);
      return;
  }
}

const Value* TPasCalc::EvaluateInPlace(const Expr& e, TVar& scratch) {
  if (e.reading)
    if (const Value* stored = StoredValue(*e.reading)) return stored;
  return Evaluate(e, scratch) ? &scratch.Val : nullptr;
}

const Value* TPasCalc::StoredValue(const ExprReading& e) {
  if (e.reread || e.empty || e.trailing || errorCode_ != 0 || nesting_ >= kMaxNesting) return nullptr;
  return StoredValue(*e.root);
}

const Value* TPasCalc::StoredValue(const ExprNode& n) {
  if (n.op == ExprNode::Op::Literal) return &n.value;
  if (n.op != ExprNode::Op::Name || n.paren || n.index1 || IsCallable(n.name, n.callable))
    return nullptr;
  const NamePlace& where = Locate(n.name, n.place);
  if (where.index < 0 || where.isArray) return nullptr;
  return &vars_[static_cast<std::size_t>(where.index)].Val;
}

void TPasCalc::EvalName(const ExprNode& n, Value& v) {
  if (n.paren || IsCallable(n.name, n.callable)) {
    if (n.error != ScriptErrorId::kNone) return ReportError(n.error, text_, {n.part});
    Call(n.name, n.args, v, &n.procedure);
    // A call without "(" leaves a following "[" unread, and reading stops there.
    if (!n.paren && n.bracket) stopped_ = true;
    return;
  }
  std::string index[2];
  int lists = 0;
  for (const IndexReading* r : {n.index1.get(), n.index2.get()}) {
    if (!r) break;
    if (!EvaluateIndex(r->cut, r, text_, index[lists])) return;
    ++lists;
  }
  ReadVariable(n.name, lists, index, v, &n.place);
}

void TPasCalc::RunStatement(ListReading::Entry& entry) {
  if (!entry.statement) entry.statement = ReadStatementParts(entry.body);
  const StatementReading& s = *entry.statement;
  using Kind = StatementReading::Kind;
  if (s.kind == Kind::Reread) return ExecStatement(s.text);
  if (!Step(s.text)) return;
  switch (s.kind) {
    case Kind::Assign: return RunAssign(s);
    case Kind::Begin: return ExecList(*s.list1);
    case Kind::If:
      return RunIf(Expr{{}, s.expr1.get()}, s.hasThen, s.thenCut, Body{{}, s.list1.get()},
                   Body{{}, s.list2.get()}, s.text);
    case Kind::For:
      return RunFor(s.var, s.down, Expr{{}, s.expr1.get()}, Expr{{}, s.expr2.get()},
                    Body{{}, s.list1.get()}, s.text, s.place);
    case Kind::While: return RunWhile(Expr{{}, s.expr1.get()}, Body{{}, s.list1.get()}, s.text);
    case Kind::Repeat: return RunRepeat(Expr{{}, s.expr1.get()}, Body{{}, s.list1.get()}, s.text);
    case Kind::Case: return RunCase(s);
    case Kind::Reread: return;
  }
}

void TPasCalc::RunAssign(const StatementReading& s) {
  std::string index[2];
  int lists = 0;
  for (const IndexReading* r : {s.index1.get(), s.index2.get()}) {
    if (!r) break;
    if (!EvaluateIndex(r->cut, r, s.text, index[lists])) return;
    ++lists;
  }
  if (s.tokenError != ScriptErrorId::kNone) return ReportError(s.tokenError, s.text, {s.tokenText});
  TVar val;
  if (!EvaluateReading(*s.expr1, val)) return ReportError(ScriptErrorId::kErrorInExpression, s.text);
  if (!s.target) return;
  if (lists == 0 && s.validName) {
    // A plain name: an existing variable takes the value where it stands.
    const NamePlace& place = Locate(s.name, s.place);
    if (place.isArray) return ReportError(ScriptErrorId::kDuplicateArray, s.text, {s.name});
    if (place.index >= 0) {
      vars_[static_cast<std::size_t>(place.index)].Val = std::move(val.Val);
      return;
    }
  }
  StoreAssignment(s.name, s.validName, lists, index, std::move(val), s.text, s.place);
}

void TPasCalc::RunCase(const StatementReading& s) {
  TVar sel;
  if (!EvaluateReading(*s.expr1, sel)) return ReportError(ScriptErrorId::kErrorInExpression, s.text);
  ListReading* elseList = nullptr;
  for (const CaseStep& step : s.steps) {
    if (errorCode_) return;
    switch (step.kind) {
      case CaseStep::Kind::End:
        if (elseList) ExecList(*elseList);
        return;
      case CaseStep::Kind::Error: return ReportError(step.error, s.text);
      case CaseStep::Kind::Else:
        if (step.error != ScriptErrorId::kNone) return ReportError(step.error, step.statement);
        elseList = step.list.get();
        break;
      case CaseStep::Kind::Branch: {
        if (step.error != ScriptErrorId::kNone) return ReportError(step.error, step.statement);
        bool matched = false;
        for (const CaseStep::Item& item : step.items) {
          // A small-integer literal against a small-integer selector is a plain comparison.
          if (item.literal && nesting_ < kMaxNesting && IsSmallInteger(*item.literal) &&
              IsSmallInteger(sel.Val)) {
            if (item.literal->i == sel.Val.i) return ExecList(*step.list);
            continue;
          }
          const Expr high{{}, item.high.get()};
          if (!CaseItemMatches(Expr{{}, item.low.get()}, item.high ? &high : nullptr, sel.Val,
                               s.text, matched))
            return;
          if (matched) return ExecList(*step.list);
        }
        break;
      }
    }
  }
}

}  // namespace ox::script
