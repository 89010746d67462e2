// Script values: the tagged value every script expression yields, and the named variable.
#pragma once

#include <cstdint>
#include <string>

namespace ox::script {

// The kinds a script value takes. UInt32 is also the kind of element references (0 = none).
enum class Kind : std::uint8_t {
  Empty,
  UInt8,
  Int8,
  UInt16,
  Int32,
  UInt32,
  Int64,
  Float,
  Date,
  Bool,
  String,
};

// A tagged value. Integer kinds and Bool live in `i`, Float and Date in `f`, String in `s`
// (bytes in the games' code page).
struct Value {
  Kind kind = Kind::Empty;
  std::int64_t i = 0;
  double f = 0.0;
  std::string s;

  static Value Int32(std::int32_t v) { return Value{Kind::Int32, v, 0.0, {}}; }
  static Value UInt32(std::uint32_t v) { return Value{Kind::UInt32, v, 0.0, {}}; }
  static Value UInt8(std::uint8_t v) { return Value{Kind::UInt8, v, 0.0, {}}; }
  static Value Int64(std::int64_t v) { return Value{Kind::Int64, v, 0.0, {}}; }
  static Value Float(double v) { return Value{Kind::Float, 0, v, {}}; }
  static Value Date(double v) { return Value{Kind::Date, 0, v, {}}; }
  static Value Bool(bool v) { return Value{Kind::Bool, v ? 1 : 0, 0.0, {}}; }
  static Value String(std::string v) { return Value{Kind::String, 0, 0.0, std::move(v)}; }

  // Becomes an integer (or Bool) of kind `k` in place, as assigning Value::Int32(v) and the
  // like would, without building a temporary.
  void SetInteger(Kind k, std::int64_t v) {
    kind = k;
    i = v;
    f = 0.0;
    s.clear();
  }

  bool IsString() const { return kind == Kind::String; }
  bool IsRef() const { return kind == Kind::UInt32; }
};

// One named value; names held by the interpreter are upper case.
struct TVar {
  std::string Name;
  Value Val;
};

// The kind's name as the tree dump and the oxscript tool print it.
inline const char* KindName(Kind k) {
  switch (k) {
    case Kind::Empty: return "empty";
    case Kind::UInt8: return "uint8";
    case Kind::Int8: return "int8";
    case Kind::UInt16: return "uint16";
    case Kind::Int32: return "int32";
    case Kind::UInt32: return "ref";
    case Kind::Int64: return "int64";
    case Kind::Float: return "float";
    case Kind::Date: return "date";
    case Kind::Bool: return "bool";
    case Kind::String: return "string";
  }
  return "empty";
}

}  // namespace ox::script
