// The expression evaluator: Evaluate, the re-reading parser (one loop over the precedence
// levels), and the rules of names with index lists that expressions and assignments share.
#include "script/convert.h"
#include "script/operators.h"
#include "script/pascalc.h"
#include "script/precedence.h"
#include "script/script_error.h"

namespace ox::script {

namespace {

// A double-quoted string operand is a language key: it reads as its text when the language
// file has one.
bool IsLanguageKey(const Value& v) { return v.kind == Kind::String && !v.s.empty() && v.s[0] == '"'; }

void LanguageLookup(Value& v) {
  if (!IsLanguageKey(v)) return;
  const std::string key = v.s.size() >= 2 ? v.s.substr(1, v.s.size() - 2) : std::string();
  std::string text = Host().GetText(key);
  if (!text.empty()) v.s = std::move(text);
}

}  // namespace

void TPasCalc::Next() {
  cur_ = ReadToken(text_, pos_);
  pos_ = cur_.next;
}

bool TPasCalc::Evaluate(std::string_view prepared, TVar& result) {
  if (remember_ && errorCode_ == 0) return EvaluateReading(readings_.Expression(prepared), result);
  return Reread(prepared, result);
}

bool TPasCalc::Evaluate(const Expr& e, TVar& result) {
  return e.reading ? EvaluateReading(*e.reading, result) : Evaluate(e.text, result);
}

bool TPasCalc::Reread(std::string_view prepared, TVar& result) {
  const std::string_view savedText = text_;
  const std::size_t savedPos = pos_;
  const Token savedCur = cur_;
  text_ = prepared;
  pos_ = 0;
  result.Val = Value{};
  Next();
  bool ok = false;
  if (cur_.code == tkEnd) {
    ReportError(ScriptErrorId::kEmptyExpression, prepared);
  } else if (++nesting_ > kMaxNesting) {
    ReportError(ScriptErrorId::kTooDeepNesting, prepared);
  } else {
    ParseLevel(0, result.Val);
    ok = errorCode_ == 0 && cur_.code == tkEnd;
  }
  --nesting_;
  text_ = savedText;
  pos_ = savedPos;
  cur_ = savedCur;
  return ok;
}

void TPasCalc::Binary(int op, Value& left, const Value& right) {
  if (CombineSmallIntegers(op, left, right, left)) return;
  LanguageLookup(left);
  if (IsLanguageKey(right)) {
    Value text = right;
    LanguageLookup(text);
    return Combine(op, left, text);
  }
  Combine(op, left, right);
}

void TPasCalc::Combine(int op, Value& left, const Value& right) {
  Value r;
  try {
    if (!ApplyOperator(op, left, right, r)) {
      ReportError(ScriptErrorId::kInvalidOperandTypes, text_, {TokenText(op)});
      return;
    }
  } catch (const StringTooLong&) {
    ReportError(ScriptErrorId::kOutOfMemory, text_);
    return;
  }
  left = std::move(r);
}

void TPasCalc::Prefix(int op, Value& v) {
  if (!ApplyPrefix(op, v))
    ReportError(ScriptErrorId::kInvalidOperandTypes, text_, {TokenText(op == tkNot ? tkNot : tkMinus)});
}

void TPasCalc::ParseLevel(int level, Value& v) {
  if (level == kPrecedenceLevels) return ParseUnary(v);
  ParseLevel(level + 1, v);
  while (errorCode_ == 0 && IsOperatorOfLevel(level, cur_.code)) {
    const int op = cur_.code;
    Next();
    Value r;
    ParseLevel(level + 1, r);
    if (errorCode_) return;
    Binary(op, v, r);
  }
}

void TPasCalc::ParseUnary(Value& v) {
  const int op = cur_.code;
  if (op != tkNot && op != tkPlus && op != tkMinus) return ParsePrimary(v);
  Next();
  ParsePrimary(v);
  if (errorCode_) return;
  Prefix(op, v);
}

void TPasCalc::ParsePrimary(Value& v) {
  switch (cur_.code) {
    case tkLiteral: {
      const ScriptErrorId error = LiteralValue(cur_.text, v);
      if (error != ScriptErrorId::kNone) return ReportError(error, text_, {cur_.text});
      Next();
      return;
    }
    case tkTrue:
    case tkFalse:
      v = Value::Bool(cur_.code == tkTrue);
      Next();
      return;
    case tkLParen:
      Next();
      if (++nesting_ > kMaxNesting) {
        ReportError(ScriptErrorId::kTooDeepNesting, text_);
        --nesting_;
        return;
      }
      ParseLevel(0, v);
      --nesting_;
      if (errorCode_) return;
      if (cur_.code != tkRParen) return ReportError(ScriptErrorId::kCloseParenExpected, text_);
      Next();
      return;
    case tkName: ParseName(v); return;
    default: ReportError(ScriptErrorId::kUnknownOperator, text_, {cur_.text}); return;
  }
}

bool TPasCalc::IsCallable(std::string_view name) const {
  return funcs_.IndexOf(name) >= 0 || procs_.IndexOf(name) >= 0;
}

void TPasCalc::Recheck(std::string_view name, CallableCache& cache) const {
  cache.callable = IsCallable(name);
  cache.funcs = funcs_.Layout();
  cache.procs = procs_.Layout();
}

void TPasCalc::Relocate(std::string_view name, NamePlace& place) const {
  place.layout = vars_.Layout();
  place.index = -1;
  place.isArray = false;
  for (std::size_t i = 0; i < vars_.Count(); ++i) {
    const std::string& n = vars_[i].Name;
    if (n.size() == name.size()) {
      if (place.index < 0 && SameName(n, name)) place.index = static_cast<int>(i);
    } else if (n.size() > name.size() && n[name.size()] == '[' &&
               SameName(std::string_view(n).substr(0, name.size()), name)) {
      place.isArray = true;
    }
  }
}

void TPasCalc::ParseName(Value& v) {
  const std::string name(cur_.text);
  if (PeekToken(text_, pos_) == tkLParen || IsCallable(name)) {
    Next();
    std::vector<Argument> args;
    if (cur_.code == tkLParen) {
      const ArgumentsCut cut = CutArguments(text_, pos_);
      if (!cut.balanced) {
        const std::string_view list = text_.substr(cut.contentStart, cut.next - cut.contentStart);
        return ReportError(ScriptErrorId::kInvalidFunctionParams, text_, {Detokenize(list, true)});
      }
      args = PlainArguments(cut.args);
      pos_ = cut.next;
      Next();
    }
    Call(name, args, v);
    return;
  }
  Next();
  std::string index[2];
  int lists = 0;
  while (lists < 2 && cur_.code == tkLBracket) {
    const IndexCut cut = CutIndexList(text_, pos_ - (cur_.text.size() + 2));
    if (!EvaluateIndex(cut, nullptr, text_, index[lists])) return;
    ++lists;
    pos_ = cut.next;
    Next();
  }
  ReadVariable(name, lists, index, v);
}

bool TPasCalc::EvaluateIndex(const IndexCut& cut, const IndexReading* reading,
                             std::string_view text, std::string& out) {
  if (cut.error != ScriptErrorId::kNone) {
    ReportError(cut.error, text);
    return false;
  }
  out.clear();
  for (std::size_t i = 0; i < cut.parts.size(); ++i) {
    TVar r;
    if (!Evaluate(Expr{cut.parts[i], reading ? reading->parts[i].get() : nullptr}, r)) {
      ReportError(ScriptErrorId::kErrorInIndexPart, text, {Detokenize(cut.parts[i], true)});
      return false;
    }
    std::int32_t n = 0;
    if (!ToInt32(r.Val, n)) {
      ReportError(ScriptErrorId::kInvalidIndex, text, {Detokenize(cut.parts[i], false)});
      return false;
    }
    if (i) out.push_back(',');
    out += std::to_string(n);
  }
  return true;
}

// A name is a plain variable or an array, never both: on a plain variable one index picks a
// character (1-based, NAME[i]); on an array the first index names the element NAME[i] and a
// second picks a character of it (NAME[i][j]).
bool TPasCalc::ResolveName(std::string_view name, int lists, std::string (&index)[2],
                           bool plainExists, bool isArray, std::string_view text, NameRef& ref) {
  bool element = lists >= 1;
  ref.stringIndex = false;
  if (lists == 1 && plainExists) {
    ref.stringIndex = true;
    ref.index = std::move(index[0]);
    element = false;
  } else if (lists == 2) {
    ref.stringIndex = true;
    ref.index = std::move(index[1]);
  }
  ref.element = element;
  ref.full.assign(name);
  if (element) {
    if (plainExists) {
      ReportError(ScriptErrorId::kDuplicateVariable, text, {name});
      return false;
    }
    ref.full += '[';
    ref.full += index[0];
    ref.full += ']';
  } else if (isArray) {
    ReportError(ScriptErrorId::kDuplicateArray, text, {name});
    return false;
  }
  return true;
}

bool TPasCalc::StringPosition(const Value& v, std::string_view name, const std::string& index,
                              std::string_view text, std::size_t& at) {
  if (!v.IsString()) {
    ReportError(ScriptErrorId::kInvalidVariableType, text, {name});
    return false;
  }
  if (index.empty()) return ReportError(ScriptErrorId::kEmptyStringIndex, text), false;
  if (index.find(',') != std::string::npos)
    return ReportError(ScriptErrorId::kInvalidStringIndex, text), false;
  std::int32_t n = 0;
  if (!TextToInt32(index, n)) return ReportError(ScriptErrorId::kBadStringIndex, text, {index}), false;
  if (n < 1 || static_cast<std::size_t>(n) > v.s.size())
    return ReportError(ScriptErrorId::kStringIndexOutOfRange, text, {index}), false;
  at = static_cast<std::size_t>(n - 1);
  return true;
}

void TPasCalc::ReadVariable(std::string_view name, int lists, std::string (&index)[2], Value& v,
                            NamePlace* place) {
  NamePlace scanned;
  const NamePlace& where = Locate(name, place ? *place : scanned);
  const bool found = where.index >= 0;
  // A plain variable without an index reads as it stands.
  if (lists == 0 && found && !where.isArray) {
    v = vars_[static_cast<std::size_t>(where.index)].Val;
    return;
  }
  NameRef ref;
  if (!ResolveName(name, lists, index, found, where.isArray, text_, ref)) return;
  Value val;
  if (ref.element || !found) {
    TVar tmp;
    if (!vars_.Lookup(ref.full, tmp)) return ReportError(ScriptErrorId::kVariableNotFound, text_, {ref.full});
    val = std::move(tmp.Val);
  } else {
    val = vars_[static_cast<std::size_t>(where.index)].Val;
  }
  if (!ref.stringIndex) {
    v = std::move(val);
    return;
  }
  std::size_t at = 0;
  if (StringPosition(val, name, ref.index, text_, at)) v = Value::String(std::string(1, val.s[at]));
}

}  // namespace ox::script
