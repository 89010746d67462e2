#include "script/reading.h"

#include "script/convert.h"
#include "script/tokens.h"
#include "script/var_list.h"

namespace ox::script {

std::size_t FindToken(std::string_view s, std::size_t from, int code) {
  int found = 0;
  return FindToken2(s, from, code, code, found);
}

std::size_t FindToken2(std::string_view s, std::size_t from, int a, int b, int& found) {
  std::size_t p = from;
  while (p < s.size()) {
    const Token t = ReadToken(s, p);
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

StatementCut CutStatement(std::string_view text, std::size_t pos, bool stopAtElse) {
  StatementCut cut;
  int block = 0, loop = 0;
  std::size_t start = std::string_view::npos, end = 0;
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
    if (block == 0 && loop == 0 && (t.code == tkSemicolon || (stopAtElse && t.code == tkElse)))
      break;
    if (start == std::string_view::npos) start = at;
    end = t.next;
  }
  cut.next = pos;
  if (start != std::string_view::npos) cut.text = text.substr(start, end - start);
  if (block > 0)
    cut.error = ScriptErrorId::kEndExpected;
  else if (block < 0)
    cut.error = ScriptErrorId::kTooManyEnd;
  else if (loop > 0)
    cut.error = ScriptErrorId::kUntilExpected;
  else if (loop < 0)
    cut.error = ScriptErrorId::kTooManyUntil;
  return cut;
}

LabelledStatement SplitLabel(std::string_view statement) {
  const Token first = ReadToken(statement, 0);
  if (PeekToken(statement, first.next) != tkColon) return {{}, statement};
  return {first.text, Slice(statement, ReadToken(statement, first.next).next, std::string_view::npos)};
}

std::vector<std::string> SplitParamNames(std::string_view params) {
  std::vector<std::string> out;
  if (params.empty()) return out;
  std::size_t a = 0;
  while (true) {
    const std::size_t b = params.find("\r\n", a);
    out.emplace_back(params.substr(a, b == std::string_view::npos ? std::string_view::npos : b - a));
    if (b == std::string_view::npos) return out;
    a = b + 2;
  }
}

std::vector<std::string_view> SplitTopLevel(std::string_view text, Nesting nesting) {
  std::vector<std::string_view> parts;
  std::size_t p = 0, start = 0;
  int parens = 0, brackets = 0;
  int& bracketCount = nesting == Nesting::AnyBracket ? parens : brackets;
  while (true) {
    const Token t = ReadToken(text, p);
    if (t.code == tkEnd) break;
    if (t.code == tkLParen) ++parens;
    if (t.code == tkRParen) --parens;
    if (nesting != Nesting::Parens && t.code == tkLBracket) ++bracketCount;
    if (nesting != Nesting::Parens && t.code == tkRBracket) --bracketCount;
    if (t.code == tkComma && parens == 0 && brackets == 0) {
      parts.push_back(text.substr(start, p - start));
      start = t.next;
    }
    p = t.next;
  }
  if (!text.empty()) parts.push_back(Slice(text, start, std::string_view::npos));
  return parts;
}

IndexCut CutIndexList(std::string_view text, std::size_t pos) {
  IndexCut cut;
  if (pos >= text.size()) return cut.error = ScriptErrorId::kIndexExpected, cut;
  const Token open = ReadToken(text, pos);
  if (open.code != tkLBracket) return cut.error = ScriptErrorId::kOpenBracketExpected, cut;
  std::size_t p = open.next;
  int depth = 0;
  while (true) {
    const Token u = ReadToken(text, p);
    if (u.code == tkEnd) return cut.error = ScriptErrorId::kCloseBracketExpected, cut;
    if (u.code == tkRBracket && depth-- == 0) break;
    if (u.code == tkLBracket) ++depth;
    p = u.next;
  }
  cut.parts = SplitTopLevel(text.substr(open.next, p - open.next), Nesting::ParensAndBrackets);
  cut.next = ReadToken(text, p).next;
  return cut;
}

ArgumentsCut CutArguments(std::string_view text, std::size_t pos) {
  ArgumentsCut cut;
  cut.contentStart = pos;
  std::size_t p = pos;
  int depth = 0;
  while (true) {
    const Token u = ReadToken(text, p);
    if (u.code == tkEnd) {
      cut.balanced = false;
      cut.next = p;
      return cut;
    }
    if (u.code == tkRParen && depth-- == 0) break;
    if (u.code == tkLParen) ++depth;
    p = u.next;
  }
  cut.args = SplitTopLevel(text.substr(pos, p - pos), Nesting::Parens);
  cut.next = ReadToken(text, p).next;
  return cut;
}

ListReading::~ListReading() = default;

ListReading::Entry& ListReading::CutTo(std::size_t i) {
  while (entries_.size() <= i) {
    const std::size_t from = entries_.empty() ? 0 : entries_.back()->cut.next;
    Entry& e = *entries_.emplace_back(std::make_unique<Entry>());
    e.cut = CutStatement(text_, from, false);
    const LabelledStatement split = SplitLabel(e.cut.text);
    e.label = split.label;
    e.body = split.body;
  }
  return *entries_[i];
}

Readings::Record& Readings::Find(Map& map, std::string_view text) {
  auto it = map.find(text);
  if (it != map.end()) return *it->second;
  auto record = std::make_unique<Record>();
  record->text.assign(text);
  bytes_ += text.size();
  Record& r = *record;
  map.emplace(r.text, std::move(record));
  return r;
}

ListReading& Readings::List(std::string_view text) {
  Record& r = Find(lists_, text);
  if (!r.list) r.list = std::make_unique<ListReading>(r.text);
  return *r.list;
}

const ExprReading& Readings::Expression(std::string_view text) {
  Record& r = Find(exprs_, text);
  if (!r.expr) r.expr = ReadExpression(r.text);
  return *r.expr;
}

const std::vector<std::string>& Readings::Params(std::string_view params) {
  Record& r = Find(params_, params);
  if (r.params.empty()) r.params = SplitParamNames(r.text);
  return r.params;
}

void Readings::Trim() {
  constexpr std::size_t kMaxBytes = std::size_t{8} << 20;
  if (bytes_ <= kMaxBytes) return;
  lists_.clear();
  exprs_.clear();
  params_.clear();
  bytes_ = 0;
}

}  // namespace ox::script
