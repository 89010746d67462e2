// What reading a prepared text produced, remembered while the text is the same: the statements
// of a statement list, each statement's parts, and parsed expressions. Running from a reading
// does exactly what re-reading the text does, in the same order: errors that reading finds are
// kept and reported at the point where re-reading would report them, and everything that
// depends on the run (values, which names are functions, the variable lists) is decided at run
// time.
//
// Readings are kept per interpreter, keyed by the text itself; each owns a copy of its text, so
// a script that replaces the text it runs from goes on with the text it started.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/error_table.h"
#include "script/value.h"

namespace ox::script {

// Position of the first token with this code (either code) at or after `from`; npos when none.
std::size_t FindToken(std::string_view s, std::size_t from, int code);
std::size_t FindToken2(std::string_view s, std::size_t from, int a, int b, int& found);
// The text from a to b (b = npos: to the end); empty when a is past the end.
std::string_view Slice(std::string_view s, std::size_t a, std::size_t b);
// What keeps a comma from splitting: parentheses only (call arguments), parentheses and
// brackets each counted on its own (index lists), or one count for both (CASE labels).
enum class Nesting : std::uint8_t { Parens, ParensAndBrackets, AnyBracket };
// Splits a text at the commas outside nesting; an empty text has no parts.
std::vector<std::string_view> SplitTopLevel(std::string_view text, Nesting nesting);

// One statement as the statement reader cuts it out of a text, with the error reading found.
struct StatementCut {
  std::string_view text;
  std::size_t next = 0;  // position after the statement and its stop token
  ScriptErrorId error = ScriptErrorId::kNone;
};

// The statement reader: one statement from `pos`, skipping leading ";", stopping at ";" (and at
// ELSE when asked) outside BEGIN/CASE ... END and REPEAT ... UNTIL.
StatementCut CutStatement(std::string_view text, std::size_t pos, bool stopAtElse);

// A statement split at its label ("NAME:" before it); the label is empty when there is none.
struct LabelledStatement {
  std::string_view label;
  std::string_view body;
};
LabelledStatement SplitLabel(std::string_view statement);

// A procedure's formal parameter names, stored joined by CR LF; an empty text has none.
std::vector<std::string> SplitParamNames(std::string_view params);

struct ExprReading;
struct StatementReading;
class ListReading;

// Where a name stands in the variable list, kept while the list's layout stamp is the same.
struct NamePlace {
  std::uint64_t layout = 0;  // 0: not looked up yet
  int index = -1;            // the first plain variable of the name, -1 when none
  bool isArray = false;      // array elements NAME[...] exist
};

// Whether a name is a function or a procedure, kept while both lists are the same.
struct CallableCache {
  std::uint64_t funcs = 0, procs = 0;
  bool callable = false;
};

// The procedure a call found, kept while the procedure list is the same, and the native
// function's position, kept while the function list is the same.
struct ProcedureCache {
  std::uint64_t procs = 0;  // 0: not found yet
  bool isFunction = false;
  ListReading* body = nullptr;
  const std::vector<std::string>* params = nullptr;
  std::uint64_t funcs = 0;  // 0: not looked up yet
  int native = -1;
};

// A statement list: its statements in the order the reader cuts them, cut as they are first
// needed.
class ListReading {
 public:
  struct Entry {
    StatementCut cut;
    std::string_view label;  // the label before ":", empty when none
    std::string_view body;   // the statement after its label
    std::unique_ptr<StatementReading> statement;  // read when it first runs
  };

  explicit ListReading(std::string_view text) : text_(text) {}
  ~ListReading();
  ListReading(const ListReading&) = delete;
  ListReading& operator=(const ListReading&) = delete;

  std::string_view Text() const { return text_; }
  // The i-th statement cut from the start (an empty one once the text is used up).
  Entry& At(std::size_t i) { return i < entries_.size() ? *entries_[i] : CutTo(i); }

 private:
  Entry& CutTo(std::size_t i);

  std::string_view text_;
  std::vector<std::unique_ptr<Entry>> entries_;  // each entry stays put while later ones are cut
};

// An argument of a call: its text, how it reads, and its plain text, by which a by-reference
// result finds its variable.
struct Argument {
  std::string_view text;
  std::unique_ptr<ExprReading> reading;  // null: the text is re-read
  std::string plain;
  bool plainIsName = false;  // the plain text is a valid variable name
  mutable NamePlace place;   // where the plain name stands in the caller's variables
};

// An index list "[...]" as reading it finds it: its parts split at top-level commas, or the
// error that stops it.
struct IndexCut {
  ScriptErrorId error = ScriptErrorId::kNone;
  std::vector<std::string_view> parts;
  std::size_t next = 0;  // position after "]"
};
IndexCut CutIndexList(std::string_view text, std::size_t pos);

// A call's argument list "(...)", split at the commas outside nested parentheses.
struct ArgumentsCut {
  bool balanced = true;
  std::vector<std::string_view> args;
  std::size_t contentStart = 0, next = 0;  // the error shows the text from contentStart to next
};
ArgumentsCut CutArguments(std::string_view text, std::size_t pos);

struct IndexReading {
  IndexCut cut;
  std::vector<std::unique_ptr<ExprReading>> parts;
};

// A node of a parsed expression. Names are decided at run time: a name is a call when "("
// follows or when it is a function or procedure then, else a variable.
struct ExprNode {
  enum class Op : std::uint8_t { Literal, Error, Paren, Unary, Binary, Name };
  Op op = Op::Error;
  int token = 0;  // Unary, Binary: the operator
  Value value;    // Literal
  ScriptErrorId error = ScriptErrorId::kNone;  // Error, or a call's unbalanced "(": with `part`
  std::string part;
  bool closed = false;  // Paren: ")" follows
  std::unique_ptr<ExprNode> a, b;
  // Name.
  std::string name;
  bool paren = false;    // "(" follows: a call with `args`
  bool bracket = false;  // "[" follows: a call stops the reading there
  std::vector<Argument> args;
  std::unique_ptr<IndexReading> index1, index2;  // a variable's index lists
  // What the last runs found: which list decides each is checked before it is used.
  mutable NamePlace place;
  mutable CallableCache callable;
  mutable ProcedureCache procedure;
};

struct ExprReading {
  std::string_view text;
  bool reread = false;    // nested too deeply to remember: re-read each time
  bool empty = false;     // no token at all
  bool trailing = false;  // reading stops before the end of the text
  std::unique_ptr<ExprNode> root;

  // The value when the whole text is one literal, else nullptr.
  const Value* Literal() const {
    return !reread && !empty && !trailing && root->op == ExprNode::Op::Literal ? &root->value
                                                                              : nullptr;
  }
};

// Reads an expression; `depth` counts the expressions being read around it.
std::unique_ptr<ExprReading> ReadExpression(std::string_view text, int depth = 0);
std::unique_ptr<IndexReading> ReadIndexList(std::string_view text, std::size_t pos, int depth);
std::vector<Argument> ReadArgumentList(const std::vector<std::string_view>& args, int depth);
// Arguments without readings, for re-reading.
std::vector<Argument> PlainArguments(const std::vector<std::string_view>& args);
// The value of a literal token; the error it gives (kUnterminatedString, kInvalidNumber) or
// kNone.
ScriptErrorId LiteralValue(std::string_view token, Value& out);

struct CaseStep {
  enum class Kind : std::uint8_t { End, Error, Else, Branch };
  Kind kind = Kind::End;
  ScriptErrorId error = ScriptErrorId::kNone;  // Error; Else and Branch: the cut's error
  std::string_view statement;                  // Else, Branch: the statement cut
  std::unique_ptr<ListReading> list;
  struct Item {
    std::unique_ptr<ExprReading> low, high;  // high is null for a single value
    const Value* literal = nullptr;          // a single value that is a literal: its value
  };
  std::vector<Item> items;  // Branch
};

// A statement after its label. Statements whose reading finds an error before anything runs,
// and the short ones (signals, GOTO), are re-read (kind Reread).
struct StatementReading {
  enum class Kind : std::uint8_t { Reread, Assign, Begin, If, For, While, Repeat, Case };
  Kind kind = Kind::Reread;
  std::string_view text;
  // Assign: NAME [index] [index] := expr, or a call.
  std::string name;
  bool target = false;
  bool validName = false;
  ScriptErrorId tokenError = ScriptErrorId::kNone;  // the token after the target is wrong
  std::string_view tokenText;
  std::string built;  // a call statement with index lists: the call's text
  std::unique_ptr<IndexReading> index1, index2;
  // Expressions: Assign's value, the condition of If, While and Repeat, For's bounds, the
  // selector of Case.
  std::unique_ptr<ExprReading> expr1, expr2;
  // Lists: Begin's, the then-part and else-part of If, a loop body.
  std::unique_ptr<ListReading> list1, list2;
  bool hasThen = false;
  StatementCut thenCut;
  bool down = false;  // For DOWNTO
  std::string var;    // For's control variable
  mutable NamePlace place;  // Assign's target, For's control variable
  std::vector<CaseStep> steps;
};

std::unique_ptr<StatementReading> ReadStatementParts(std::string_view text);

// The readings of one interpreter, keyed by text; each record owns its text.
class Readings {
 public:
  ListReading& List(std::string_view text);
  const ExprReading& Expression(std::string_view text);
  const std::vector<std::string>& Params(std::string_view params);
  // Forgets everything once the texts kept pass a bound; only between runs.
  void Trim();

 private:
  struct Record {
    std::string text;
    std::unique_ptr<ListReading> list;
    std::unique_ptr<ExprReading> expr;
    std::vector<std::string> params;
  };
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  using Map = std::unordered_map<std::string, std::unique_ptr<Record>, Hash, std::equal_to<>>;
  Record& Find(Map& map, std::string_view text);

  Map lists_, exprs_, params_;
  std::size_t bytes_ = 0;
};

}  // namespace ox::script
