// Shared pieces of the native functions: the registration list of a group, the adapters for the
// common argument shapes, and the argument conversions that the functions name ("as text",
// "as float", "as integer", "truncated").
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "script/pascalc.h"
#include "script/value.h"

namespace ox::scriptlib {

using script::TPasCalc;
using script::TVar;
using script::TVarList;
using script::Value;

// One row of a group's registration list: the name as registered ("IntToStr") and its function.
// A group is an ordered array of rows, registered in its order; the order is the interpreter's
// function order, which scripts can observe.
using NativeCallback = bool (*)(TPasCalc&, TVarList& args, TVar& result);
struct NativeReg {
  std::string_view name;
  NativeCallback function;
};
void RegisterGroup(TPasCalc& calc, std::span<const NativeReg> group);

// Conversions; each raises ox::script::ScriptError or ox::RangeError when it fails.
std::string AsText(const Value& v);
double AsFloat(const Value& v);
// Nearest integer, halves to even.
std::int32_t AsInteger(const Value& v);
std::int64_t AsInteger64(const Value& v);
// The float cut toward zero; RangeError outside 32 bits.
std::int32_t Truncated(const Value& v);

Value UInt16Value(int v);
Value Int8Value(int v);

// True when the argument came from a plain existing variable, so a value written to it reaches
// the variable.
bool IsVariable(const TVar& arg);

// The body of a function; returns false for unacceptable arguments.
using NativeBody = bool (*)(TPasCalc&, TVarList& args, Value& result);

// A function of exactly `Count` arguments.
template <std::size_t Count, NativeBody Body>
bool Exactly(TPasCalc& calc, TVarList& args, TVar& result) {
  return args.Count() == Count && Body(calc, args, result.Val);
}

// A function of at least `Count` arguments.
template <std::size_t Count, NativeBody Body>
bool AtLeast(TPasCalc& calc, TVarList& args, TVar& result) {
  return args.Count() >= Count && Body(calc, args, result.Val);
}

// A function of one argument: the result is Make(F(Read(argument))), e.g.
// Unary<AsText, TrimText, Value::String>.
template <auto Read, auto F, auto Make>
bool Unary(TPasCalc&, TVarList& args, TVar& result) {
  if (args.Count() != 1) return false;
  result.Val = Make(F(Read(args[0].Val)));
  return true;
}

}  // namespace ox::scriptlib
