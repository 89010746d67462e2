// The expression evaluator and the calls of native functions and script procedures.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <exception>
#include <type_traits>

#include "script/convert.h"
#include "script/operators.h"
#include "script/pascalc.h"
#include "script/script_error.h"

namespace ox::script {

namespace {

using OC = OperandClass;

// The family table, rows left operand, columns right operand (E I L F S B D).
const OC kFamily[7][7] = {
    /* E */ {OC::E, OC::I, OC::L, OC::F, OC::S, OC::B, OC::D},
    /* I */ {OC::I, OC::I, OC::L, OC::F, OC::F, OC::I, OC::D},
    /* L */ {OC::L, OC::L, OC::L, OC::F, OC::F, OC::L, OC::D},
    /* F */ {OC::F, OC::F, OC::F, OC::F, OC::F, OC::F, OC::D},
    /* S */ {OC::S, OC::F, OC::F, OC::F, OC::S, OC::B, OC::D},
    /* B */ {OC::B, OC::I, OC::L, OC::F, OC::B, OC::B, OC::D},
    /* D */ {OC::D, OC::D, OC::D, OC::D, OC::D, OC::D, OC::D},
};

bool IsCompare(int op) { return op == tkEq || (op >= tkNe && op <= tkLe); }

template <typename T>
bool CompareResult(int op, const T& a, const T& b) {
  switch (op) {
    case tkEq: return a == b;
    case tkNe: return a != b;
    case tkGt: return a > b;
    case tkLt: return a < b;
    case tkGe: return a >= b;
    case tkLe: return a <= b;
    default: return false;
  }
}

// The integer operators on one width (division gives a float and is not among them); false
// for an overflow, a shift outside the width, or an operator integers do not have.
template <class T>
bool IntegerArithmetic(int op, T x, T y, T& r) {
  using Unsigned = std::make_unsigned_t<T>;
  constexpr T kBits = static_cast<T>(sizeof(T) * 8);
  switch (op) {
    case tkPlus: return !__builtin_add_overflow(x, y, &r);
    case tkMinus: return !__builtin_sub_overflow(x, y, &r);
    case tkMul: return !__builtin_mul_overflow(x, y, &r);
    case tkAnd: r = x & y; return true;
    case tkOr: r = x | y; return true;
    case tkXor: r = x ^ y; return true;
    case tkShl:
      if (y < 0 || y >= kBits) return false;
      r = static_cast<T>(static_cast<Unsigned>(x) << y);
      return true;
    case tkShr:
      if (y < 0 || y >= kBits) return false;
      r = static_cast<T>(static_cast<Unsigned>(x) >> y);
      return true;
    default: return false;
  }
}

// Comparisons, division to a float, then the other integer operators.
template <class T>
bool IntegerOp(int op, T x, T y, Value& out, Value (*make)(T)) {
  if (IsCompare(op)) return out = Value::Bool(CompareResult(op, x, y)), true;
  if (op == tkDiv) {
    if (y == 0) return false;
    out = Value::Float(static_cast<double>(x) / static_cast<double>(y));
    return true;
  }
  T r = 0;
  if (!IntegerArithmetic(op, x, y, r)) return false;
  out = make(r);
  return true;
}

bool IntOp(int op, const Value& a, const Value& b, Value& out) {
  std::int32_t x = 0, y = 0;
  if (!ToInt32(a, x) || !ToInt32(b, y)) return false;
  return IntegerOp<std::int32_t>(op, x, y, out, &Value::Int32);
}

bool LongOp(int op, const Value& a, const Value& b, Value& out) {
  std::int64_t x = 0, y = 0;
  if (!ToInt64(a, x) || !ToInt64(b, y)) return false;
  return IntegerOp<std::int64_t>(op, x, y, out, &Value::Int64);
}

// + - * / on floats; other operators through integers. `date` makes + and - date-valued.
bool FloatOp(int op, const Value& a, const Value& b, Value& out) {
  double x = 0, y = 0;
  if (op == tkAnd || op == tkOr || op == tkXor || op == tkShl || op == tkShr)
    return IntOp(op, a, b, out);
  if (!ToFloat(a, x) || !ToFloat(b, y)) return false;
  if (IsCompare(op)) return out = Value::Bool(CompareResult(op, x, y)), true;
  double r = 0;
  switch (op) {
    case tkPlus: r = x + y; break;
    case tkMinus: r = x - y; break;
    case tkMul: r = x * y; break;
    case tkDiv:
      if (y == 0) return false;
      r = x / y;
      break;
    default: return false;
  }
  if (!std::isfinite(r)) return false;
  out = Value::Float(r);
  return true;
}

bool StringOp(int op, const Value& a, const Value& b, Value& out) {
  if (op == tkPlus) {
    std::string x, y;
    ToString(b, y);
    // A string operand is copied once, straight into the result.
    const std::string* left = a.IsString() ? &a.s : (ToString(a, x), &x);
    if (y.size() > kMaxStringBytes - std::min(left->size(), kMaxStringBytes)) throw StringTooLong();
    if (left != &x) {
      x.reserve(left->size() + y.size());
      x.append(*left);
    }
    x += y;
    out = Value::String(std::move(x));
    return true;
  }
  if (IsCompare(op)) {
    std::string x, y;
    ToString(a, x);
    ToString(b, y);
    out = Value::Bool(CompareResult(op, x, y));
    return true;
  }
  if (op == tkMinus || op == tkMul || op == tkDiv) return FloatOp(op, a, b, out);
  return IntOp(op, a, b, out);
}

bool BoolOp(int op, const Value& a, const Value& b, Value& out) {
  if (op == tkAnd || op == tkOr || op == tkXor || IsCompare(op)) {
    bool x = false, y = false;
    if (!ToBool(a, x) || !ToBool(b, y)) return false;
    bool r = false;
    switch (op) {
      case tkAnd: r = x && y; break;
      case tkOr: r = x || y; break;
      case tkXor: r = x != y; break;
      default: r = CompareResult(op, static_cast<int>(x), static_cast<int>(y)); break;
    }
    out = Value::Bool(r);
    return true;
  }
  if (op == tkShl || op == tkShr) return IntOp(op, a, b, out);
  return FloatOp(op, a, b, out);
}

bool DateOp(int op, const Value& a, const Value& b, Value& out) {
  if (op == tkPlus || op == tkMinus) {
    double x = 0, y = 0;
    if (!ToFloat(a, x) || !ToFloat(b, y)) return false;
    const double r = op == tkPlus ? x + y : x - y;
    if (!std::isfinite(r)) return false;
    const bool bothDates = a.kind == Kind::Date && b.kind == Kind::Date;
    out = (op == tkMinus && bothDates) ? Value::Float(r) : Value::Date(r);
    return true;
  }
  if (IsCompare(op) || op == tkMul || op == tkDiv) return FloatOp(op, a, b, out);
  return IntOp(op, a, b, out);
}

bool Power(const Value& a, const Value& b, Value& out) {
  double x = 0, y = 0;
  if (!ToFloat(a, x) || !ToFloat(b, y)) return false;
  if (!(std::fabs(x) <= FLT_MAX) || !(std::fabs(y) <= FLT_MAX)) return false;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const double r = std::pow(static_cast<double>(fx), static_cast<double>(fy));
  if (!std::isfinite(r)) return false;
  out = Value::Float(r);
  return true;
}

void LanguageLookup(Value& v) {
  if (v.kind != Kind::String || v.s.empty() || v.s[0] != '"') return;
  const std::string key = v.s.size() >= 2 ? v.s.substr(1, v.s.size() - 2) : std::string();
  std::string text = Host().GetText(key);
  if (!text.empty()) v.s = std::move(text);
}

bool ParseIndex(std::string_view s, std::int32_t& out) { return TextToInt32(s, out); }

}  // namespace

bool ApplyOperator(int op, const Value& a, const Value& b, Value& out) {
  if (op == tkPow) return Power(a, b, out);
  OC fam = kFamily[static_cast<int>(ClassOf(a.kind))][static_cast<int>(ClassOf(b.kind))];
  switch (fam) {
    case OC::E:
    case OC::I: return IntOp(op, a, b, out);
    case OC::L: return LongOp(op, a, b, out);
    case OC::F: return FloatOp(op, a, b, out);
    case OC::S: return StringOp(op, a, b, out);
    case OC::B: return BoolOp(op, a, b, out);
    case OC::D: return DateOp(op, a, b, out);
  }
  return false;
}

void TPasCalc::Next() {
  cur_ = ReadToken(text_, pos_);
  pos_ = cur_.next;
}

bool TPasCalc::Evaluate(std::string_view prepared, TVar& result) {
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
    ParseOr(result.Val);
    ok = errorCode_ == 0 && cur_.code == tkEnd;
  }
  --nesting_;
  text_ = savedText;
  pos_ = savedPos;
  cur_ = savedCur;
  return ok;
}

void TPasCalc::Binary(int op, Value& left, Value& right) {
  LanguageLookup(left);
  LanguageLookup(right);
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

void TPasCalc::ParseOr(Value& v) {
  ParseAnd(v);
  while (errorCode_ == 0 && (cur_.code == tkOr || cur_.code == tkXor)) {
    const int op = cur_.code;
    Next();
    Value r;
    ParseAnd(r);
    if (errorCode_) return;
    Binary(op, v, r);
  }
}

void TPasCalc::ParseAnd(Value& v) {
  ParseCompare(v);
  while (errorCode_ == 0 && cur_.code == tkAnd) {
    Next();
    Value r;
    ParseCompare(r);
    if (errorCode_) return;
    Binary(tkAnd, v, r);
  }
}

void TPasCalc::ParseCompare(Value& v) {
  ParseAdd(v);
  while (errorCode_ == 0 && IsCompare(cur_.code)) {
    const int op = cur_.code;
    Next();
    Value r;
    ParseAdd(r);
    if (errorCode_) return;
    Binary(op, v, r);
  }
}

void TPasCalc::ParseAdd(Value& v) {
  ParseMul(v);
  while (errorCode_ == 0 && (cur_.code == tkPlus || cur_.code == tkMinus)) {
    const int op = cur_.code;
    Next();
    Value r;
    ParseMul(r);
    if (errorCode_) return;
    Binary(op, v, r);
  }
}

void TPasCalc::ParseMul(Value& v) {
  ParsePow(v);
  while (errorCode_ == 0 && (cur_.code == tkMul || cur_.code == tkDiv)) {
    const int op = cur_.code;
    Next();
    Value r;
    ParsePow(r);
    if (errorCode_) return;
    Binary(op, v, r);
  }
}

void TPasCalc::ParsePow(Value& v) {
  ParseUnary(v);
  while (errorCode_ == 0 && (cur_.code == tkPow || cur_.code == tkShl || cur_.code == tkShr)) {
    const int op = cur_.code;
    Next();
    Value r;
    ParseUnary(r);
    if (errorCode_) return;
    Binary(op, v, r);
  }
}

void TPasCalc::ParseUnary(Value& v) {
  const int op = cur_.code;
  if (op != tkNot && op != tkPlus && op != tkMinus) {
    ParsePrimary(v);
    return;
  }
  Next();
  ParsePrimary(v);
  if (errorCode_) return;
  if (op == tkPlus) return;
  if (op == tkNot) {
    double d = 0;
    if (!ToFloat(v, d)) {
      ReportError(ScriptErrorId::kInvalidOperandTypes, text_, {TokenText(tkNot)});
      return;
    }
    v = Value::UInt8(d == 0 ? 1 : 0);
    return;
  }
  bool ok = true;
  switch (ClassOf(v.kind)) {
    case OC::E: v = Value::Int32(0); break;
    case OC::I:
    case OC::B: {
      std::int32_t x = 0;
      ok = ToInt32(v, x) && x != INT32_MIN;
      if (ok) v = Value::Int32(-x);
      break;
    }
    case OC::L: {
      std::int64_t x = 0;
      ok = ToInt64(v, x) && x != INT64_MIN;
      if (ok) v = Value::Int64(-x);
      break;
    }
    case OC::F:
    case OC::S: {
      double x = 0;
      ok = ToFloat(v, x);
      if (ok) v = Value::Float(-x);
      break;
    }
    case OC::D: v.f = -v.f; break;
  }
  if (!ok) ReportError(ScriptErrorId::kInvalidOperandTypes, text_, {TokenText(tkMinus)});
}

void TPasCalc::ParsePrimary(Value& v) {
  switch (cur_.code) {
    case tkLiteral: {
      const std::string_view t = cur_.text;
      if (!t.empty() && (t[0] == '\'' || t[0] == '"')) {
        const char last = t.back();
        if (t.size() < 2 || (last != '\'' && last != '"')) {
          ReportError(ScriptErrorId::kUnterminatedString, text_, {t});
          return;
        }
        v = Value::String(t[0] == '\'' ? std::string(t.substr(1, t.size() - 2)) : std::string(t));
      } else if (!ParseNumberLiteral(t, v)) {
        ReportError(ScriptErrorId::kInvalidNumber, text_, {t});
        return;
      }
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
      ParseOr(v);
      --nesting_;
      if (errorCode_) return;
      if (cur_.code != tkRParen) {
        ReportError(ScriptErrorId::kCloseParenExpected, text_);
        return;
      }
      Next();
      return;
    case tkName: ParseName(v); return;
    default:
      ReportError(ScriptErrorId::kUnknownOperator, text_, {cur_.text});
      return;
  }
}

// One scan for the plain variable: its value, whether it exists, whether array elements of
// the name exist.
void TPasCalc::LookupVariable(std::string_view name, Value& out, bool& found, bool& plainExists,
                              bool& isArray) const {
  found = plainExists = isArray = false;
  for (const auto& v : vars_) {
    const std::string& n = v.Name;
    if (n.size() == name.size()) {
      if (!plainExists && n == name) {
        plainExists = true;
        out = v.Val;
        found = true;
      }
    } else if (n.size() > name.size() && n[name.size()] == '[' &&
               n.compare(0, name.size(), name) == 0) {
      isArray = true;
    }
  }
}

void TPasCalc::ParseName(Value& v) {
  const std::string_view nameView = cur_.text;
  const int nextCode = PeekToken(text_, pos_);
  if (nextCode == tkLParen || funcs_.IndexOf(nameView) >= 0 || procs_.IndexOf(nameView) >= 0) {
    const std::string name(nameView);
    Next();
    std::vector<std::string_view> args;
    if (!ReadArguments(args)) return;
    if (procs_.IndexOf(name) >= 0) {
      if (!CallProcedure(name, args, v)) ReportError(ScriptErrorId::kErrorInProcedure, text_, {name});
    } else {
      if (!CallNative(name, args, v)) ReportError(ScriptErrorId::kErrorInFunction, text_, {name});
    }
    return;
  }
  Next();
  std::string i1, i2;
  bool has1 = false, has2 = false;
  if (cur_.code == tkLBracket) {
    std::size_t p = pos_ - (cur_.text.size() + 2);
    if (!ReadIndexList(text_, p, i1)) return;
    has1 = true;
    pos_ = p;
    Next();
    if (cur_.code == tkLBracket) {
      p = pos_ - (cur_.text.size() + 2);
      if (!ReadIndexList(text_, p, i2)) return;
      has2 = true;
      pos_ = p;
      Next();
    }
  }
  // A name is a plain variable or an array, never both: on a plain variable one index picks a
  // character (1-based, NAME[i]); on an array the first index names the element NAME[i] and a
  // second picks a character of it (NAME[i][j]).
  Value val;
  bool found = false, plainExists = false, isArray = false;
  LookupVariable(nameView, val, found, plainExists, isArray);
  if (has1 && !has2 && plainExists) {
    i2 = std::move(i1);
    has2 = true;
    has1 = false;
  }
  std::string fullName(nameView);
  if (has1) {
    if (plainExists) {
      ReportError(ScriptErrorId::kDuplicateVariable, text_, {fullName});
      return;
    }
    fullName += '[';
    fullName += i1;
    fullName += ']';
    found = false;
  } else if (isArray) {
    ReportError(ScriptErrorId::kDuplicateArray, text_, {fullName});
    return;
  }
  if (!found) {
    TVar tmp;
    if (!vars_.Lookup(fullName, tmp)) {
      ReportError(ScriptErrorId::kVariableNotFound, text_, {fullName});
      return;
    }
    val = std::move(tmp.Val);
  }
  if (has2) {
    if (!val.IsString()) {
      ReportError(ScriptErrorId::kInvalidVariableType, text_, {nameView});
      return;
    }
    if (i2.empty()) return ReportError(ScriptErrorId::kEmptyStringIndex, text_);
    if (i2.find(',') != std::string::npos) return ReportError(ScriptErrorId::kInvalidStringIndex, text_);
    std::int32_t idx = 0;
    if (!ParseIndex(i2, idx)) return ReportError(ScriptErrorId::kBadStringIndex, text_, {i2});
    if (idx < 1 || static_cast<std::size_t>(idx) > val.s.size())
      return ReportError(ScriptErrorId::kStringIndexOutOfRange, text_, {i2});
    v = Value::String(std::string(1, val.s[static_cast<std::size_t>(idx - 1)]));
    return;
  }
  v = std::move(val);
}

bool TPasCalc::ReadIndexList(std::string_view text, std::size_t& pos, std::string& out) {
  if (pos >= text.size()) {
    ReportError(ScriptErrorId::kIndexExpected, text);
    return false;
  }
  Token t = ReadToken(text, pos);
  if (t.code != tkLBracket) {
    ReportError(ScriptErrorId::kOpenBracketExpected, text);
    return false;
  }
  std::size_t p = t.next;
  const std::size_t contentStart = p;
  std::vector<std::string_view> parts;
  std::size_t partStart = p;
  int brackets = 0, parens = 0;
  while (true) {
    Token u = ReadToken(text, p);
    if (u.code == tkEnd) {
      ReportError(ScriptErrorId::kCloseBracketExpected, text);
      return false;
    }
    if (u.code == tkRBracket) {
      if (brackets == 0) {
        if (p > contentStart) parts.push_back(text.substr(partStart, p - partStart));
        p = u.next;
        break;
      }
      --brackets;
    } else if (u.code == tkLBracket) {
      ++brackets;
    } else if (u.code == tkLParen) {
      ++parens;
    } else if (u.code == tkRParen) {
      --parens;
    } else if (u.code == tkComma && brackets == 0 && parens == 0) {
      parts.push_back(text.substr(partStart, p - partStart));
      partStart = u.next;
    }
    p = u.next;
  }
  out.clear();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    TVar r;
    if (!Evaluate(parts[i], r)) {
      ReportError(ScriptErrorId::kErrorInIndexPart, text, {Detokenize(parts[i], true)});
      return false;
    }
    std::int32_t n = 0;
    if (!ToInt32(r.Val, n)) {
      ReportError(ScriptErrorId::kInvalidIndex, text, {Detokenize(parts[i], false)});
      return false;
    }
    if (i) out.push_back(',');
    out += std::to_string(n);
  }
  pos = p;
  return true;
}

// At the token after a call's name: no "(" means no arguments. Leaves the reader after ")".
bool TPasCalc::ReadArguments(std::vector<std::string_view>& args) {
  if (cur_.code != tkLParen) return true;
  std::size_t p = pos_;
  const std::size_t contentStart = p;
  std::size_t partStart = p;
  int depth = 0;
  while (true) {
    Token u = ReadToken(text_, p);
    if (u.code == tkEnd) {
      ReportError(ScriptErrorId::kInvalidFunctionParams, text_,
                  {Detokenize(text_.substr(contentStart, p - contentStart), true)});
      return false;
    }
    if (u.code == tkRParen) {
      if (depth == 0) {
        if (p > contentStart) args.push_back(text_.substr(partStart, p - partStart));
        p = u.next;
        break;
      }
      --depth;
    } else if (u.code == tkLParen) {
      ++depth;
    } else if (u.code == tkComma && depth == 0) {
      args.push_back(text_.substr(partStart, p - partStart));
      partStart = u.next;
    }
    p = u.next;
  }
  pos_ = p;
  Next();
  return true;
}

namespace {

std::string ArgumentText(std::string_view arg) {
  std::string s = Detokenize(arg, true);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

bool TPasCalc::CallNative(const std::string& name, const std::vector<std::string_view>& args,
                          Value& result) {
  const int fi = funcs_.IndexOf(name);
  if (fi < 0) {
    ReportError(ScriptErrorId::kUnknownFunction, text_, {name});
    return false;
  }
  TVarList list;
  std::vector<std::string> sources;
  sources.reserve(args.size());
  for (std::string_view a : args) {
    TVar r;
    if (!Evaluate(a, r)) {
      ReportError(ScriptErrorId::kInvalidArgument, text_, {ArgumentText(a)});
      return false;
    }
    std::string plain = PlainText(a);
    const bool fromVar = IsValidVarName(plain) && vars_.Contains(plain);
    list.Append(TVar{fromVar ? "VAR" : "VALUE", std::move(r.Val)});
    sources.push_back(fromVar ? std::move(plain) : std::string());
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
    if (!sources[i].empty()) vars_.SetValue(sources[i], list[i].Val);
  result = std::move(res.Val);
  return true;
}

bool TPasCalc::CallProcedure(const std::string& name, const std::vector<std::string_view>& args,
                             Value& result) {
  TProcedure proc;
  if (!procs_.Find(name, proc)) {
    ReportError(ScriptErrorId::kUnknownProcedure, text_, {name});
    return false;
  }
  if (callDepth_ >= kMaxCallDepth) {
    ReportError(ScriptErrorId::kTooManyNestedCalls, text_,
                {name, std::to_string(kMaxCallDepth)});
    return false;
  }
  TVarList saved = vars_;
  std::vector<std::string> params;
  if (!proc.Params.empty()) {
    std::size_t a = 0;
    while (true) {
      const std::size_t b = proc.Params.find("\r\n", a);
      params.push_back(proc.Params.substr(a, b == std::string::npos ? std::string::npos : b - a));
      if (b == std::string::npos) break;
      a = b + 2;
    }
  }
  if (args.size() != params.size()) {
    ReportError(ScriptErrorId::kWrongArgumentCount, text_, {name});
    return false;
  }
  // On a failure after this point the caller's variables are put back as they were.
  auto fail = [&] {
    vars_ = std::move(saved);
    return false;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    TVar r;
    if (!Evaluate(args[i], r)) {
      ReportError(ScriptErrorId::kInvalidArgument, text_, {ArgumentText(args[i])});
      return fail();
    }
    if (!vars_.Assign(TVar{params[i], std::move(r.Val)})) {
      ReportError(ScriptErrorId::kDuplicateParameter, text_, {params[i]});
      return fail();
    }
  }
  if (proc.IsFunction) {
    for (std::size_t i = vars_.Count(); i-- > 0;)
      if (vars_[i].Name == "RESULT") vars_.Delete(i);
  }
  const std::string_view savedText = text_;
  ++callDepth_;
  ExecList(proc.Body);
  --callDepth_;
  if (errorCode_) return fail();
  if (signal_ == Signal::Exit) {
    signal_ = Signal::None;
  } else if (signal_ == Signal::Break || signal_ == Signal::Continue) {
    ReportError(ScriptErrorId::kOutsideLoop, savedText,
                {signal_ == Signal::Break ? "BREAK" : "CONTINUE"});
    return fail();
  } else if (signal_ == Signal::Goto) {
    ReportError(ScriptErrorId::kLabelNotFound, savedText, {target_});
    signal_ = Signal::None;
    return fail();
  }
  TVarList after = std::move(vars_);
  vars_ = std::move(saved);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string plain = PlainText(args[i]);
    if (!IsValidVarName(plain) || !vars_.Contains(plain)) continue;
    if (const TVar* p = after.Find(params[i])) vars_.SetValue(plain, p->Val);
  }
  if (proc.IsFunction) {
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
