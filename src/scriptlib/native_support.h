// Shared pieces of the standard functions' native callbacks: the argument conversions that the
// functions name ("as text", "as float", "as integer", "truncated") and the table each family
// fills with its callbacks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

#include "script/pascalc.h"
#include "script/value.h"

namespace ox::scriptlib {

using script::TPasCalc;
using script::TVar;
using script::TVarList;
using script::Value;

// Callbacks of one family by their registered spelling ("IntToStr").
using FunctionTable = std::unordered_map<std::string, script::NativeFunction>;

void AddStringFunctions(FunctionTable& table);
void AddDateFunctions(FunctionTable& table);
void AddArithmeticFunctions(FunctionTable& table);
void AddVariableFunctions(FunctionTable& table);

// The body of a function; returns false for unacceptable arguments.
using NativeBody = std::function<bool(TPasCalc&, TVarList& args, Value& result)>;
// A function of exactly `count` arguments, or (with `orMore`) at least `count`.
script::NativeFunction WithArguments(std::size_t count, NativeBody body, bool orMore = false);

// True when the argument came from a plain existing variable, so a value written to it reaches
// the variable.
bool IsVariable(const TVar& arg);

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

}  // namespace ox::scriptlib
