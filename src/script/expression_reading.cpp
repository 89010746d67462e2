// Reading an expression once into a tree that runs as the evaluator's re-reading would.
#include "script/convert.h"
#include "script/precedence.h"
#include "script/reading.h"
#include "script/tokens.h"
#include "script/var_list.h"

namespace ox::script {

namespace {

// Deeper nesting is left to re-reading, whose own limit then reports it.
constexpr int kMaxReadingDepth = 200;

class ExprReader {
 public:
  ExprReader(std::string_view text, int depth) : text_(text), depth_(depth) { Next(); }

  std::unique_ptr<ExprReading> Read() {
    auto r = std::make_unique<ExprReading>();
    r->text = text_;
    if (cur_.code == tkEnd) {
      r->empty = true;
      return r;
    }
    r->root = Level(0);
    r->reread = tooDeep_;
    r->trailing = !failed_ && cur_.code != tkEnd;
    return r;
  }

 private:
  void Next() {
    cur_ = ReadToken(text_, pos_);
    pos_ = cur_.next;
  }

  std::unique_ptr<ExprNode> Make(ExprNode::Op op) {
    auto n = std::make_unique<ExprNode>();
    n->op = op;
    return n;
  }

  // A point where reading stops with an error; nothing after it is read.
  std::unique_ptr<ExprNode> Fail(ScriptErrorId id, std::string_view part) {
    auto n = Make(ExprNode::Op::Error);
    n->error = id;
    n->part.assign(part);
    failed_ = true;
    return n;
  }

  std::unique_ptr<ExprNode> Level(int level) {
    if (level == kPrecedenceLevels) return Unary();
    auto left = Level(level + 1);
    while (!failed_ && IsOperatorOfLevel(level, cur_.code)) {
      auto n = Make(ExprNode::Op::Binary);
      n->token = cur_.code;
      Next();
      n->a = std::move(left);
      n->b = Level(level + 1);
      left = std::move(n);
    }
    return left;
  }

  std::unique_ptr<ExprNode> Unary() {
    const int op = cur_.code;
    if (op != tkNot && op != tkPlus && op != tkMinus) return Primary();
    Next();
    auto n = Make(ExprNode::Op::Unary);
    n->token = op;
    n->a = Primary();
    return n;
  }

  std::unique_ptr<ExprNode> Literal(Value v) {
    auto n = Make(ExprNode::Op::Literal);
    n->value = std::move(v);
    Next();
    return n;
  }

  std::unique_ptr<ExprNode> Primary() {
    switch (cur_.code) {
      case tkLiteral: {
        Value v;
        const ScriptErrorId error = LiteralValue(cur_.text, v);
        if (error != ScriptErrorId::kNone) return Fail(error, cur_.text);
        return Literal(std::move(v));
      }
      case tkTrue:
      case tkFalse: return Literal(Value::Bool(cur_.code == tkTrue));
      case tkLParen: return Paren();
      case tkName: return Name();
      default: return Fail(ScriptErrorId::kUnknownOperator, cur_.text);
    }
  }

  std::unique_ptr<ExprNode> Paren() {
    Next();
    if (++depth_ > kMaxReadingDepth) {
      tooDeep_ = failed_ = true;
      return Make(ExprNode::Op::Error);
    }
    auto n = Make(ExprNode::Op::Paren);
    n->a = Level(0);
    --depth_;
    if (failed_) return n;
    n->closed = cur_.code == tkRParen;
    if (n->closed)
      Next();
    else
      failed_ = true;  // the run reports "')' expected" here
    return n;
  }

  std::unique_ptr<ExprNode> Name() {
    auto n = Make(ExprNode::Op::Name);
    n->name.assign(cur_.text);
    n->paren = PeekToken(text_, pos_) == tkLParen;
    Next();
    if (n->paren) {
      const ArgumentsCut cut = CutArguments(text_, pos_);
      if (!cut.balanced) {
        n->error = ScriptErrorId::kInvalidFunctionParams;
        n->part = Detokenize(text_.substr(cut.contentStart, cut.next - cut.contentStart), true);
        failed_ = true;
        return n;
      }
      n->args = ReadArgumentList(cut.args, depth_ + 1);
      pos_ = cut.next;
      Next();
      return n;
    }
    n->bracket = cur_.code == tkLBracket;
    for (auto* index : {&n->index1, &n->index2}) {
      if (cur_.code != tkLBracket) break;
      *index = ReadIndexList(text_, pos_ - (cur_.text.size() + 2), depth_ + 1);
      if ((*index)->cut.error != ScriptErrorId::kNone) {
        failed_ = true;  // as a variable the name stops here; as a call it stops anyway
        break;
      }
      pos_ = (*index)->cut.next;
      Next();
    }
    return n;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  Token cur_;
  int depth_;
  bool failed_ = false;
  bool tooDeep_ = false;
};

}  // namespace

std::unique_ptr<ExprReading> ReadExpression(std::string_view text, int depth) {
  if (depth > kMaxReadingDepth) {
    auto r = std::make_unique<ExprReading>();
    r->text = text;
    r->reread = true;
    return r;
  }
  return ExprReader(text, depth).Read();
}

std::unique_ptr<IndexReading> ReadIndexList(std::string_view text, std::size_t pos, int depth) {
  auto r = std::make_unique<IndexReading>();
  r->cut = CutIndexList(text, pos);
  for (std::string_view part : r->cut.parts) r->parts.push_back(ReadExpression(part, depth));
  return r;
}

std::vector<Argument> PlainArguments(const std::vector<std::string_view>& args) {
  std::vector<Argument> out;
  out.reserve(args.size());
  for (std::string_view a : args) {
    Argument arg;
    arg.text = a;
    arg.plain = PlainText(a);
    arg.plainIsName = IsValidVarName(arg.plain);
    out.push_back(std::move(arg));
  }
  return out;
}

std::vector<Argument> ReadArgumentList(const std::vector<std::string_view>& args, int depth) {
  std::vector<Argument> out = PlainArguments(args);
  for (Argument& a : out) a.reading = ReadExpression(a.text, depth);
  return out;
}

ScriptErrorId LiteralValue(std::string_view t, Value& out) {
  if (!t.empty() && (t[0] == '\'' || t[0] == '"')) {
    const char last = t.back();
    if (t.size() < 2 || (last != '\'' && last != '"')) return ScriptErrorId::kUnterminatedString;
    out = Value::String(t[0] == '\'' ? std::string(t.substr(1, t.size() - 2)) : std::string(t));
    return ScriptErrorId::kNone;
  }
  return ParseNumberLiteral(t, out) ? ScriptErrorId::kNone : ScriptErrorId::kInvalidNumber;
}

}  // namespace ox::script
