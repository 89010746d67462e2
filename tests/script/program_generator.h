// Random script programs for the differential tests: every statement and operator of the
// language, procedures and functions, native calls (re-entrant ones too) and deliberate errors at
// random points. The same seed always gives the same program.
#pragma once

#include <cstdint>
#include <string>

namespace ox::script::test {

class ProgramGenerator {
 public:
  explicit ProgramGenerator(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

  // A whole source: procedure and function declarations, then main statements.
  std::string Program();

 private:
  std::uint32_t Next();
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <std::size_t N>
  const char* Pick(const char* const (&items)[N]) { return items[Below(static_cast<int>(N))]; }

  std::string Expr(int depth);
  std::string Primary(int depth);
  std::string Call(int depth);
  std::string Broken();
  std::string Target();
  std::string Statement(int depth);
  std::string Statements(int depth, int count);
  std::string Loop(int depth);
  std::string Case(int depth);
  std::string Declaration(int index);

  std::uint64_t state_;
  int loops_ = 0;       // loops enclosing the statement being generated
  int procedures_ = 0;  // procedures declared so far (bodies call only earlier ones)
  int labels_ = 0;
};

}  // namespace ox::script::test
