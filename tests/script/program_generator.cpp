#include "program_generator.h"

namespace ox::script::test {

namespace {

const char* const kNames[] = {"A", "B", "C", "I", "J", "K", "N", "S", "T", "X", "Y", "Z"};
const char* const kLiterals[] = {"0",    "1",     "2",   "3",         "-4",       "7",
                                 "1.5",  "0.25",  "255", "3000000000", "'ab'",    "''",
                                 "'x'",  "'7'",   "'A'", "\"KEY\"",    "\"NOKEY\"", "TRUE",
                                 "FALSE", "1,5",  "$FF", "KID.X",      ".X",       "OXDB.X"};
const char* const kNumbers[] = {"0", "1", "2", "3", "5", "7", "-1", "I", "J", "K", "N", "A", "B",
                                "X", "KID.X", "ARR[0]", "ARR[I]", "NAT0", "(K + 1)", "1.5", "Q",
                                "Q[1]", "NAT0[1]", "(NAT0[2])", "F0[1]"};
const char* const kNumberOps[] = {"+", "-", "*", "+", "-", "AND", "OR", "XOR", "=", "<", ">=", "<>"};
const char* const kBinary[] = {"+", "-", "*", "/", "^", "SHL", "SHR", "AND", "OR", "XOR",
                               "=", "<>", "<", ">", "<=", ">="};
const char* const kUnary[] = {"-", "+", "NOT "};
// Texts that break reading at the point where they stand.
const char* const kBroken[] = {")",   "1 +",  "'open",  "1E5",   "- -1", "(1",   "A[",
                               "A[1", "F(1",  "NAT(1,", "NOT NOT 1", "[1]", "1 2", ",",
                               "S[]", "S[1,2]", "S['a']", "ARR[1][9]", "2147483647 + 1", "NAT[1] + 2",
                               "-NAT0[1]", "Q[1] * 2"};
const char* const kBrokenStatements[] = {
    "END", "ELSE A := 1", "A :=", "1 := 2", "A + 1", "FOR 1 := 1 TO 2 DO A := 1",
    "FOR I = 1 TO 2 DO A := 1", "FOR I := 1 DO A := 1", "FOR I := 1 TO 2 A := 1",
    "BEGIN A := 1", "UNTIL A", "REPEAT A := 1", "WHILE A A := 1", "CASE A 1: B := 1 END",
    "CASE 1 OF 1 B := 1 END", "CASE 1 OF : B := 1 END", "CASE 1 OF 2: B := 1",
    "CASE 1 OF ELSE B := 1; ELSE C := 2 END", "CASE 1 OF 'a' .. 2: B := 1 END",
    "GOTO", "GOTO 'x'", "GOTO L1 L2", "GOTO NOWHERE", "BREAK 1", "EXIT NOW",
    "IF 'x' THEN A := 1", "IF A THEN", "S[1] := 'xy'", "S[1] := 300", "ARR := 1",
    "A[1] := 2", "1X := 2", "A[1] [2] := 3", "NOPROC(1)", "$FF := 1", "X.Y.Z := 1"};

}  // namespace

std::uint32_t ProgramGenerator::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 7;
  state_ ^= state_ << 17;
  return static_cast<std::uint32_t>(state_ >> 32);
}

std::string ProgramGenerator::Broken() { return Pick(kBroken); }

std::string ProgramGenerator::Call(int depth) {
  switch (Below(12)) {
    case 0: return "NAT";
    case 1: return "NAT0";
    case 2: return "NAT0 + " + Expr(depth + 1);
    case 3: return "BUMP(" + std::string(Pick(kNames)) + ")";
    case 4: return "FAILS(" + Expr(depth + 1) + ")";
    case 5: return "THROWS()";
    case 6: return "EVAL('" + std::string(Pick({"1 + K", "S + 'q'", "A * 2", "NAT0", "(1"})) + "')";
    case 7: return "RECOMPILE('A := 1; FUNCTION Q(); BEGIN END')";
    case 8:
      if (procedures_ > 0) return "F" + std::to_string(Below(procedures_)) + "(" + Expr(depth + 1) + ", K)";
      [[fallthrough]];
    default: {
      std::string s = "NAT(";
      const int n = Below(4);
      for (int i = 0; i < n; ++i) s += (i ? ", " : "") + Expr(depth + 1);
      return s + ")";
    }
  }
}

std::string ProgramGenerator::Primary(int depth) {
  const int r = Below(depth > 2 ? 10 : 20);
  if (r < 4) return Pick(kLiterals);
  if (r < 8) return Pick(kNames);
  if (r == 8) return "ARR[" + std::to_string(Below(4)) + "]";
  if (r == 9) return "S[" + std::to_string(Below(4)) + "]";
  if (r < 12) return "(" + Expr(depth + 1) + ")";
  if (r < 14) return std::string(Pick(kUnary)) + Primary(depth + 1);
  if (r == 14) return "ARR[" + Expr(depth + 1) + ", " + Expr(depth + 1) + "]";
  if (r == 15) return "ARR[I]";
  return Call(depth);
}

std::string ProgramGenerator::Expr(int depth) {
  if (Chance(2)) return Broken();
  if (Chance(75)) {
    // Mostly numbers, so that programs run on past their first statements.
    std::string e = Chance(10) && depth < 3 ? Call(depth) : Pick(kNumbers);
    const int ops = depth > 2 ? 0 : Below(3);
    for (int i = 0; i < ops; ++i) e += std::string(" ") + Pick(kNumberOps) + " " + Pick(kNumbers);
    return e;
  }
  std::string e = Primary(depth);
  const int ops = depth > 2 ? 0 : Below(3);
  for (int i = 0; i < ops; ++i) e += std::string(" ") + Pick(kBinary) + " " + Primary(depth + 1);
  return e;
}

std::string ProgramGenerator::Target() {
  switch (Below(10)) {
    case 0: return "ARR[" + std::to_string(Below(4)) + "]";
    case 1: return "ARR[I, " + std::to_string(Below(3)) + "]";
    case 2: return "S[" + std::to_string(Below(4)) + "]";
    case 3: return "KID.X";
    default: return Pick(kNames);
  }
}

std::string ProgramGenerator::Loop(int depth) {
  ++loops_;
  std::string s;
  const std::string guard = "N := N + 1; IF N > " + std::to_string(3 + Below(20)) + " THEN BREAK; ";
  switch (Below(4)) {
    case 0:
      s = "FOR " + std::string(Pick({"I", "J", "K", "Q"})) + " := " + Expr(2) +
          (Chance(30) ? " DOWNTO " : " TO ") + Expr(2) + " DO " + Statement(depth + 1);
      break;
    case 1:
      s = "WHILE " + Expr(2) + " DO BEGIN " + guard + Statements(depth + 1, 1 + Below(3)) + " END";
      break;
    case 2:
      s = "REPEAT " + guard + Statements(depth + 1, 1 + Below(3)) + " UNTIL " + Expr(2);
      break;
    default:
      s = "FOR I := " + std::to_string(Below(3)) + " TO " + std::to_string(Below(6)) +
          " DO BEGIN " + Statements(depth + 1, 1 + Below(3)) + " END";
      break;
  }
  --loops_;
  return s;
}

std::string ProgramGenerator::Case(int depth) {
  std::string s = "CASE " + Expr(2) + " OF ";
  const int branches = 1 + Below(3);
  for (int i = 0; i < branches; ++i) {
    const int labels = 1 + Below(2);
    for (int j = 0; j < labels; ++j) {
      if (j) s += ", ";
      s += Chance(30) ? std::to_string(Below(4)) + " .. " + std::to_string(Below(6))
                      : std::string(Pick(kLiterals));
    }
    s += ": " + Statement(depth + 1) + "; ";
  }
  if (Chance(50)) s += "ELSE " + Statement(depth + 1) + "; ";
  return s + "END";
}

std::string ProgramGenerator::Statement(int depth) {
  if (Chance(2)) return Pick(kBrokenStatements);
  const int r = Below(depth > 2 ? 8 : 22);
  if (r < 5) return Target() + " := " + Expr(0);
  if (r == 5) return Call(1);
  if (r == 6) return loops_ > 0 || Chance(10) ? Pick({"BREAK", "CONTINUE"}) : "N := N + 1";
  if (r == 7) return Chance(20) ? "EXIT" : "T := " + Expr(1);
  if (r < 11) {
    std::string s = "IF " + Expr(1) + " THEN " + Statement(depth + 1);
    if (Chance(40)) s += " ELSE " + Statement(depth + 1);
    return s;
  }
  if (r < 14) return Loop(depth);
  if (r < 16) return Case(depth);
  if (r < 18) return "BEGIN " + Statements(depth + 1, 1 + Below(3)) + " END";
  if (r == 18 && labels_ > 0) return "GOTO L" + std::to_string(Below(labels_ + 1));
  if (r == 19) {
    const std::string label = "L" + std::to_string(labels_++);
    return label + ": N := N + 1; IF N < " + std::to_string(2 + Below(8)) + " THEN GOTO " + label;
  }
  return Target() + " := " + Expr(0);
}

std::string ProgramGenerator::Statements(int depth, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += (i ? "; " : "") + Statement(depth);
  return s;
}

std::string ProgramGenerator::Declaration(int index) {
  const bool function = Chance(60);
  std::string s = function ? "FUNCTION F" : "PROCEDURE F";
  s += std::to_string(index) + "(P, Q); BEGIN ";
  const int saved = labels_;
  labels_ = 0;
  s += Statements(2, 1 + Below(3));
  if (function && Chance(85)) s += "; RESULT := P + " + Expr(1);
  if (!function && Chance(50)) s += "; P := Q * 2; Q := 'w'";
  labels_ = saved;
  return s + " END;\n";
}

std::string ProgramGenerator::Program() {
  std::string s;
  const int declarations = Below(4);
  for (int i = 0; i < declarations; ++i) {
    s += Declaration(i);
    ++procedures_;
  }
  s += "N := 0; I := 0; J := 0; K := " + std::to_string(Below(5)) + "; S := 'abc';\n";
  if (Chance(70)) s += "A := 1; B := 2; ARR[0] := 4; ARR[1] := 5; ARR[2] := 6;\n";
  const int statements = 2 + Below(8);
  for (int i = 0; i < statements; ++i) s += Statement(0) + ";\n";
  return s;
}

}  // namespace ox::script::test
