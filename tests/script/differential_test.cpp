// Differential tests: random programs run with the interpreter remembering what it read and with
// it re-reading every text, and everything a script, a game or a host can observe must be equal.
// OX_DIFF_PROGRAMS sets how many programs to run (default a few thousand), OX_DIFF_SEED the
// first seed.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "program_generator.h"
#include "script/script_error.h"
#include "script_test_support.h"

namespace ox::script::test {
namespace {

// Everything observable after one program, as lines of text.
struct Outcome {
  std::vector<std::string> lines;
  bool operator==(const Outcome&) const = default;
};

std::string Describe(const Value& v) {
  char f[64];
  std::snprintf(f, sizeof f, "%a", v.f);
  return std::string(KindName(v.kind)) + " " + std::to_string(v.i) + " " + f + " '" + v.s + "'";
}

// One scene and one interpreter with the test natives registered.
class Machine {
 public:
  explicit Machine(bool remember) : scoped_(&host_) {
    calc_.SetRemembering(remember);
    host_.Root = &root_;
    host_.Current = &self_;
    host_.Limit = RunLimit{5000, {}};
    host_.Texts["KEY"] = "Key text";
    root_.Props["X"] = Value::Int32(100);
    self_.Props["X"] = Value::Int32(5);
    self_.Props["Y"] = Value::String("y");
    kid_.Props["X"] = Value::Float(2.5);
    self_.Children.push_back(&kid_);
    for (FakeElement* e : {&root_, &self_, &kid_}) host_.Add(*e);
    Register();
  }

  Outcome Play(const std::string& source) {
    Outcome out;
    const std::string prepared = calc_.Compile(source);
    Record(out, "compile");
    for (int run = 0; run < 2; ++run) {
      calc_.Vars().Clear();
      calc_.Run(prepared);
      Record(out, "run");
    }
    calc_.Vars().Clear();
    calc_.Execute(prepared);
    Record(out, "execute");
    return out;
  }

 private:
  void Log(const std::string& what, const TVarList& args) {
    std::string line = "call " + what;
    for (const TVar& a : args) line += " | " + a.Name + " " + Describe(a.Val);
    calls_.push_back(line);
  }

  void Register() {
    calc_.SetFunction("NAT", [this](TPasCalc&, TVarList& args, TVar& r) {
      Log("NAT", args);
      r.Val = args.Count() ? args[0].Val : Value::Int32(static_cast<std::int32_t>(calls_.size()));
      return true;
    });
    calc_.SetFunction("NAT0", [this](TPasCalc&, TVarList& args, TVar& r) {
      Log("NAT0", args);
      r.Val = Value::Int32(3);
      return args.Count() == 0;
    });
    calc_.SetFunction("BUMP", [this](TPasCalc&, TVarList& args, TVar&) {
      Log("BUMP", args);
      if (args.Count() != 1 || args[0].Val.kind != Kind::Int32) return false;
      args[0].Val.i += 1;
      return true;
    });
    calc_.SetFunction("FAILS", [this](TPasCalc&, TVarList& args, TVar&) {
      Log("FAILS", args);
      return false;
    });
    calc_.SetFunction("THROWS", [this](TPasCalc&, TVarList& args, TVar&) -> bool {
      Log("THROWS", args);
      throw ScriptError("bad");
    });
    // Re-entrant: evaluates a text on the interpreter that called it.
    calc_.SetFunction("EVAL", [this](TPasCalc& c, TVarList& args, TVar& r) {
      Log("EVAL", args);
      if (args.Count() != 1) return false;
      TVar v;
      const bool ok = c.Evaluate(TokenizeSource(ToString(args[0].Val)), v);
      r.Val = v.Val;
      return ok;
    });
    // Compiles on the running interpreter, as a script does that assigns an event script.
    calc_.SetFunction("RECOMPILE", [this](TPasCalc& c, TVarList& args, TVar& r) {
      Log("RECOMPILE", args);
      if (args.Count() != 1) return false;
      r.Val = Value::String(Detokenize(c.Compile(ToString(args[0].Val)), true));
      return true;
    });
  }

  void Record(Outcome& out, const char* phase) {
    out.lines.push_back(std::string(phase) + " error " + std::to_string(calc_.ErrorCode()) + " '" +
                        calc_.ErrorMessage() + "' '" + calc_.ErrorText() + "'");
    for (const TVar& v : calc_.Vars()) out.lines.push_back("var " + v.Name + " " + Describe(v.Val));
    for (FakeElement* e : {&root_, &self_, &kid_})
      for (const auto& [name, value] : e->Props)
        out.lines.push_back("prop " + e->Id + "." + name + " " + Describe(value));
    for (auto* list : {&host_.Lines, &calls_}) {
      out.lines.insert(out.lines.end(), list->begin(), list->end());
      list->clear();
    }
  }

  FakeHost host_;
  ScopedHost scoped_;
  FakeElement root_{"Root", 1};
  FakeElement self_{"Self", 2, &root_};
  FakeElement kid_{"Kid", 3, &self_};
  std::vector<std::string> calls_;
  TPasCalc calc_;
};

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* s = std::getenv(name);
  return s && *s ? std::strtoull(s, nullptr, 10) : fallback;
}

// True when both ways of running give the same; else adds a failure showing the difference.
bool SameOutcome(const std::string& source) {
  const Outcome remembered = Machine(true).Play(source);
  const Outcome reread = Machine(false).Play(source);
  if (remembered == reread) return true;
  std::size_t i = 0;
  while (i < remembered.lines.size() && i < reread.lines.size() &&
         remembered.lines[i] == reread.lines[i])
    ++i;
  ADD_FAILURE() << "program:\n" << source << "\nfirst difference at line " << i << ":\n  remembered: "
                << (i < remembered.lines.size() ? remembered.lines[i] : "(none)")
                << "\n  re-read:    " << (i < reread.lines.size() ? reread.lines[i] : "(none)");
  return false;
}

TEST(Differential, RandomProgramsBehaveTheSameWithAndWithoutRemembering) {
  const std::uint64_t first = EnvNumber("OX_DIFF_SEED", 1);
  const std::uint64_t count = EnvNumber("OX_DIFF_PROGRAMS", 2000);
  int failures = 0;
  for (std::uint64_t seed = first; seed < first + count && failures < 5; ++seed) {
    const std::string source = ProgramGenerator(seed).Program();
    if (!SameOutcome(source)) {
      ++failures;
      ADD_FAILURE() << "seed " << seed;
    }
  }
}

}  // namespace
}  // namespace ox::script::test
