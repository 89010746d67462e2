// Test doubles for the interpreter's host: fake elements with properties, a fake host that
// records report lines, answers language keys and serves included files from memory.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "script/convert.h"
#include "script/host.h"
#include "script/pascalc.h"

namespace ox::script {

// Failures show an error as its code and text.
inline void PrintTo(ScriptErrorId id, std::ostream* os) {
  *os << "error " << static_cast<int>(id) << " (code " << ScriptErrorCode(id) << ": \""
      << ScriptErrorMessage(id, {}) << "\")";
}

}  // namespace ox::script

namespace ox::script::test {

class FakeElement final : public ScriptElement {
 public:
  FakeElement(std::string id, std::uint32_t ref, FakeElement* parent = nullptr)
      : Id(std::move(id)), Ref(ref), Parent(parent) {}

  bool GetVar(const std::string& name, Value& out) override {
    auto it = Props.find(name);
    if (it != Props.end()) {
      out = it->second;
      return true;
    }
    for (FakeElement* c : Children)
      if (Upper(c->Id) == name) {
        out = Value::UInt32(c->Ref);
        return true;
      }
    if (name == "SELF") {
      out = Value::UInt32(Ref);
      return true;
    }
    if (name == "PARENT" && Parent) {
      out = Value::UInt32(Parent->Ref);
      return true;
    }
    return false;
  }
  bool SetVar(const std::string& name, const Value& value) override {
    auto it = Props.find(name);
    if (it == Props.end()) return false;
    it->second = value;
    return true;
  }
  ScriptElement* ScriptParent() override { return Parent; }
  static std::string Upper(std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
  }
  std::string DiagnosticContext() override { return Id + " <TOxFake>"; }

  std::string Id;
  std::uint32_t Ref;
  FakeElement* Parent;
  std::vector<FakeElement*> Children;
  std::map<std::string, Value> Props;
};

class FakeHost final : public ScriptHost {
 public:
  ScriptElement* CurrentElement() override { return Current; }
  ScriptElement* RootElement() override { return Root; }
  ScriptElement* ResolveRef(std::uint32_t ref) override {
    auto it = Refs.find(ref);
    return it == Refs.end() ? nullptr : it->second;
  }
  std::string EventContextName() override { return Event; }
  void ReportLine(const std::string& line) override { Lines.push_back(line); }
  std::string GetText(const std::string& key) override {
    auto it = Texts.find(key);
    return it == Texts.end() ? std::string() : it->second;
  }
  bool ReadScriptFile(const std::string& name, std::string& content, int& errorCode) override {
    ++FileReads;
    auto it = Files.find(name);
    if (it == Files.end()) {
      errorCode = 2;
      return false;
    }
    content = it->second;
    return true;
  }

  RunVerdict CheckRun(std::uint64_t steps, RunClock::duration elapsed) override {
    ++RunChecks;
    return Limit.Exceeded(steps, elapsed) ? RunVerdict::TooLong : RunVerdict::Continue;
  }

  void Add(FakeElement& e) { Refs[e.Ref] = &e; }

  FakeElement* Current = nullptr;
  FakeElement* Root = nullptr;
  std::map<std::uint32_t, FakeElement*> Refs;
  std::string Event = "Init";
  std::vector<std::string> Lines;
  std::map<std::string, std::string> Texts;
  std::map<std::string, std::string> Files;
  int FileReads = 0;
  RunLimit Limit;
  int RunChecks = 0;
};

// A fixture whose interpreter runs with a fake host installed.
class ScriptTest : public ::testing::Test {
 protected:
  ScriptTest() : scoped_(&host) {}

  // Compile and Execute, as games run scripts: declarations are emptied.
  bool Exec(const std::string& source) {
    const std::string p = calc.Compile(source);
    if (calc.ErrorCode()) return false;
    return calc.Execute(p);
  }
  // Compile and Run (declarations stay callable).
  bool RunScript(const std::string& source) {
    const std::string p = calc.Compile(source);
    if (calc.ErrorCode()) return false;
    return calc.Run(p);
  }
  Value Var(const std::string& name) {
    const TVar* v = calc.Vars().Find(name);
    EXPECT_NE(v, nullptr) << "no variable " << name;
    return v ? v->Val : Value{};
  }
  bool Has(const std::string& name) { return calc.Vars().Find(name) != nullptr; }
  // Evaluates an expression source text.
  Value Eval(const std::string& expr, bool expectOk = true) {
    TVar r;
    const bool ok = calc.Evaluate(TokenizeSource(expr), r);
    EXPECT_EQ(ok, expectOk) << expr << " -> " << calc.ErrorMessage();
    return r.Val;
  }
  std::string LastLine() { return host.Lines.empty() ? std::string() : host.Lines.back(); }

  FakeHost host;
  ScopedHost scoped_;
  TPasCalc calc;
};

inline void ExpectInt(const Value& v, std::int64_t n, Kind k = Kind::Int32) {
  EXPECT_EQ(v.kind, k) << KindName(v.kind);
  EXPECT_EQ(v.i, n);
}
inline void ExpectFloat(const Value& v, double d) {
  EXPECT_EQ(v.kind, Kind::Float) << KindName(v.kind);
  EXPECT_DOUBLE_EQ(v.f, d);
}
inline void ExpectString(const Value& v, const std::string& s) {
  EXPECT_EQ(v.kind, Kind::String) << KindName(v.kind);
  EXPECT_EQ(v.s, s);
}
inline void ExpectBool(const Value& v, bool b) {
  EXPECT_EQ(v.kind, Kind::Bool) << KindName(v.kind);
  EXPECT_EQ(v.i != 0, b);
}

}  // namespace ox::script::test
