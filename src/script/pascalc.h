// TPasCalc: the script interpreter. A script is tokenised once by Compile; Execute runs the
// prepared text statement by statement, evaluating expressions as it goes. What reading a text
// produces (statements, their parts, parsed expressions) is remembered per text and reused
// while the text is the same (script/reading.h); with remembering off every run re-reads.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "script/error_table.h"
#include "script/lists.h"
#include "script/reading.h"
#include "script/run_limit.h"
#include "script/tokens.h"
#include "script/value.h"
#include "script/var_list.h"

namespace ox::script {

class TPasCalc {
 public:
  using NativeFunction = ox::script::NativeFunction;

  // Limits on nesting, so that deep recursion reports an error instead of overflowing the
  // stack: nested calls of script procedures and functions, nested INCLUDE/USES files, nested
  // blocks and parentheses.
  static constexpr int kMaxCallDepth = 256;
  static constexpr int kMaxFileDepth = 16;
  static constexpr int kMaxNesting = 2000;

  TPasCalc() = default;
  TPasCalc(const TPasCalc&) = delete;
  TPasCalc& operator=(const TPasCalc&) = delete;

  // Prepares and tokenises a source (reusing the last one's tokens when it is the same text;
  // a text containing 0x7F is taken as tokenised), runs the declaration pass and returns the
  // main statement list in prepared form. Resets the error state and the procedure list;
  // errors are reported as at run time.
  std::string Compile(const std::string& source);
  // Resets the error state, empties the procedure list (so declarations of a compiled script
  // are not callable, as games expect), runs the prepared text; true when no error occurred.
  bool Execute(std::string_view prepared);
  // As Execute but keeps the procedure list that Compile built, so declared procedures and
  // functions can be called (oxscript -p, tests, benchmarks). Games never run this way.
  bool Run(std::string_view prepared);
  // Evaluates one expression in prepared form; nests inside an outer evaluation.
  bool Evaluate(std::string_view prepared, TVar& result);
  // Records the first error of a run and hands its report line to the host: the error's
  // message (its text with parts filled in), where it happened and the event running.
  void ReportError(ScriptErrorId id, std::string_view text,
                   std::initializer_list<std::string_view> parts = {});
  // Error state: code 0, empty message and text, no signal, block depth -1.
  void ResetError();

  // Remembering what reading each text produced (on by default). Off, every run re-reads its
  // text; the two behave the same, which the differential tests check.
  void SetRemembering(bool on) { remember_ = on; }

  // Host operations.
  bool SetFunction(const std::string& name, NativeFunction callback);
  int FunctionIndex(std::string_view name) const { return funcs_.IndexOf(name); }
  int VarIndex(std::string_view name) const { return vars_.IndexOf(name); }
  bool GetValue(const std::string& name, TVar& out);
  bool SetValue(const std::string& name, const Value& value);
  bool AssignVar(const TVar& var) { return vars_.Assign(var); }
  bool IsArray(std::string_view name) const;

  int ErrorCode() const { return errorCode_; }
  // The first error of the run, kNone when there was none.
  ScriptErrorId Error() const { return errorId_; }
  const std::string& ErrorMessage() const { return errorMessage_; }
  const std::string& ErrorText() const { return errorText_; }

  TVarList& Vars() { return vars_; }
  const TVarList& Vars() const { return vars_; }
  TFuncList& Functions() { return funcs_; }
  TProcList& Procedures() { return procs_; }
  const TProcList& Procedures() const { return procs_; }

 private:
  enum class Signal : std::uint8_t { None, Break, Continue, Exit, Goto };
  // The keyword of a Break or Continue signal, as errors name it.
  static const char* LoopSignalName(Signal s) { return s == Signal::Break ? "BREAK" : "CONTINUE"; }

  // The long-run guard: one step per statement and per loop pass; false (with kRunsTooLong or
  // kStoppedByClose recorded against `text`) when the host stops the run.
  bool Step(std::string_view text) { return ++steps_ < nextCheck_ || CheckRun(text); }
  bool CheckRun(std::string_view text);
  // Runs a statement list as the outermost run (steps and time counted from here) or nested.
  void RunList(std::string_view prepared);

  // An expression to evaluate: its text and, when remembered, its reading.
  struct Expr {
    std::string_view text;
    const ExprReading* reading = nullptr;
  };
  // A statement list to run: its text and, when remembered, its reading.
  struct Body {
    std::string_view text;
    ListReading* reading = nullptr;
  };
  // A name with index lists resolved: the variable it names, and the string index applied to
  // it when there is one.
  struct NameRef {
    std::string full;
    bool element = false;  // an array element: full is NAME[index]
    bool stringIndex = false;
    std::string index;
  };

  // Evaluator (eval.cpp).
  bool Evaluate(const Expr& e, TVar& result);
  bool Reread(std::string_view prepared, TVar& result);
  void Next();
  void ParseLevel(int level, Value& v);
  void ParseUnary(Value& v);
  void ParsePrimary(Value& v);
  void ParseName(Value& v);
  // A binary operator: language keys among the operands read as their texts, then Combine.
  void Binary(int op, Value& left, const Value& right);
  void Combine(int op, Value& left, const Value& right);
  void Prefix(int op, Value& v);
  bool IsCallable(std::string_view name) const;
  bool IsCallable(std::string_view name, CallableCache& cache) const {
    if (cache.funcs != funcs_.Layout() || cache.procs != procs_.Layout()) Recheck(name, cache);
    return cache.callable;
  }
  void Recheck(std::string_view name, CallableCache& cache) const;
  // Refreshes `place` when the variable list's layout changed since it was found.
  const NamePlace& Locate(std::string_view name, NamePlace& place) const {
    if (place.layout != vars_.Layout()) Relocate(name, place);
    return place;
  }
  void Relocate(std::string_view name, NamePlace& place) const;
  bool EvaluateIndex(const IndexCut& cut, const IndexReading* reading, std::string_view text,
                     std::string& out);
  bool ResolveName(std::string_view name, int lists, std::string (&index)[2], bool plainExists,
                   bool isArray, std::string_view text, NameRef& ref);
  bool StringPosition(const Value& v, std::string_view name, const std::string& index,
                      std::string_view text, std::size_t& at);
  void ReadVariable(std::string_view name, int lists, std::string (&index)[2], Value& v,
                    NamePlace* place = nullptr);

  // Calls (calls.cpp).
  void Call(const std::string& name, const std::vector<Argument>& args, Value& result,
            ProcedureCache* cache = nullptr);
  bool CallNative(const std::string& name, const std::vector<Argument>& args, Value& result,
                  ProcedureCache* cache);
  bool RunNative(const std::string& name, std::size_t index, TVarList& args, TVar& result);
  bool CallProcedure(const std::string& name, const std::vector<Argument>& args, Value& result,
                     ProcedureCache* cache);
  // Procedures run on copies of their caller's variables; the lists of finished calls are
  // kept, emptied, so that the next call copies into storage it already has.
  TVarList TakeSpareList();
  struct SpareList {
    SpareList(TPasCalc& c, TVarList&& l) : calc(c), list(std::move(l)) {}
    ~SpareList();
    SpareList(const SpareList&) = delete;
    SpareList& operator=(const SpareList&) = delete;
    TPasCalc& calc;
    TVarList list;
  };
  bool FindProcedure(const std::string& name, ProcedureCache* cache, ProcedureCache& found,
                     std::vector<std::string>& splitParams, std::string& bodyText);
  bool BindParameters(const std::vector<Argument>& args, const std::vector<std::string>& params,
                      bool isFunction);
  bool RunProcedureBody(const Body& body, std::string_view callText);

  // Running remembered readings (run_reading.cpp).
  bool EvaluateReading(const ExprReading& e, TVar& result);
  void EvalNode(const ExprNode& n, Value& v);
  void EvalName(const ExprNode& n, Value& v);
  // What a literal or a plain variable without index lists holds, read where it stands; nullptr
  // for any other node, and for an expression that is not such a node alone or that would
  // report an error.
  const Value* StoredValue(const ExprNode& n);
  const Value* StoredValue(const ExprReading& e);
  // Evaluate, giving the value where it stands when it is stored, else in `scratch`; nullptr
  // when the evaluation fails.
  const Value* EvaluateInPlace(const Expr& e, TVar& scratch);
  void RunStatement(ListReading::Entry& entry);
  void RunAssign(const StatementReading& s);
  void RunCase(const StatementReading& s);

  // Executor (exec.cpp).
  void ExecList(std::string_view text);
  void ExecList(ListReading& list);
  void ExecList(const Body& body);
  void ExecListFrom(ListReading* list, std::string_view text);
  void ExecStatement(std::string_view stmt);
  void ExecAssign(std::string_view stmt);
  void StoreAssignment(std::string_view name, bool validName, int lists, std::string (&index)[2],
                       TVar&& val, std::string_view st, NamePlace& place);
  void ExecBegin(std::string_view stmt);
  void ExecIf(std::string_view stmt);
  void RunIf(const Expr& cond, bool hasThen, const StatementCut& thenCut, const Body& thenPart,
             const Body& elsePart, std::string_view st);
  void ExecFor(std::string_view stmt);
  void RunFor(std::string_view var, bool down, const Expr& e1, const Expr& e2, const Body& body,
              std::string_view st, NamePlace& place);
  void ExecWhile(std::string_view stmt);
  void RunWhile(const Expr& cond, const Body& body, std::string_view st);
  void ExecRepeat(std::string_view stmt);
  void RunRepeat(const Expr& cond, const Body& body, std::string_view st);
  bool LoopEnds();
  void ExecCase(std::string_view stmt);
  bool CaseItemMatches(const Expr& low, const Expr* high, const Value& selector,
                       std::string_view st, bool& matched);
  bool CaseRangeMatches(const Expr& low, const Expr* high, const Value& selector,
                        std::string_view st, bool& matched);
  void ExecSignal(std::string_view stmt, Signal s);
  void ExecGoto(std::string_view stmt);
  bool Condition(const Expr& expr, std::string_view stmt, bool& out);

  // Declarations (declarations.cpp).
  void DeclarationPass(std::string_view text, std::string& out);
  bool Declare(std::string_view stmt, std::string_view text, std::size_t& pos);
  bool IncludeFile(std::string_view stmt, std::string& out, bool include);
  std::string_view ReadStatement(std::string_view text, std::size_t& pos);

  TVarList vars_;
  std::vector<TVarList> spareLists_;
  TFuncList funcs_;
  TProcList procs_;

  int errorCode_ = 0;
  ScriptErrorId errorId_ = ScriptErrorId::kNone;
  std::string errorMessage_;
  std::string errorText_;
  std::uint64_t errorEvents_ = 0;  // ReportError calls, recorded or not

  std::string cacheSource_;
  std::string cacheTokens_;

  int depth_ = -1;
  Signal signal_ = Signal::None;
  std::string target_;
  int callDepth_ = 0;
  int nesting_ = 0;
  int fileDepth_ = 0;
  bool fileAbort_ = false;

  // Long-run guard state of the outermost Execute or Run.
  int runs_ = 0;
  std::uint64_t steps_ = 0;
  std::uint64_t nextCheck_ = kStepsBetweenChecks;
  RunClock::time_point runStart_{};

  // Readings of the texts run, and whether they are used.
  Readings readings_;
  bool remember_ = true;
  int busy_ = 0;          // runs and remembered evaluations under way (readings stay put)
  bool stopped_ = false;  // a remembered evaluation stopped before a "[" after a call

  // Evaluator state.
  std::string_view text_;
  std::size_t pos_ = 0;
  Token cur_;
};

}  // namespace ox::script
