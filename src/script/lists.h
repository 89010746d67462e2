// TFuncList (native functions) and TProcList (script procedures and functions).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/value.h"
#include "script/var_list.h"

namespace ox::script {

class TPasCalc;

// A native function: receives the interpreter, the evaluated arguments (named "VAR" when the
// argument was a plain existing variable, else "VALUE"; values it changes are copied back to
// such variables) and the result; returns false when the arguments are not acceptable. It may
// throw ScriptError or ox::RangeError to fail with a message.
using NativeFunction = std::function<bool(TPasCalc&, TVarList& args, TVar& result)>;

struct TFunc {
  std::string Name;  // upper case
  NativeFunction Callback;
};

class TFuncList {
 public:
  // False when the name is not a valid variable name; else appends it upper-cased.
  bool AddFunc(const std::string& name, NativeFunction callback);
  // Position by exact name, -1 when none.
  int IndexOf(std::string_view name) const;
  void Delete(std::size_t i);
  void Clear() {
    items_.clear();
    index_.clear();
    layout_ = NewLayoutStamp();
  }
  // Changes whenever functions are added or removed.
  std::uint64_t Layout() const { return layout_; }
  std::size_t Count() const { return items_.size(); }
  TFunc& operator[](std::size_t i) { return items_[i]; }
  const TFunc& operator[](std::size_t i) const { return items_[i]; }

 private:
  void Reindex();
  std::vector<TFunc> items_;
  std::unordered_map<std::string, std::size_t> index_;
  std::uint64_t layout_ = NewLayoutStamp();
};

struct TProcedure {
  std::string Name;    // upper case
  std::string Body;    // prepared text of its statement
  std::string Params;  // formal parameter names joined by CR LF; empty when none
  bool IsFunction = false;
};

class TProcList {
 public:
  void Clear() {
    if (!items_.empty()) layout_ = NewLayoutStamp();
    items_.clear();
  }
  // Changes whenever procedures are added or removed.
  std::uint64_t Layout() const { return layout_; }
  int IndexOf(std::string_view name) const;
  // The procedure of this name, or nullptr; valid until the list changes.
  const TProcedure* Get(std::string_view name) const;
  // False and nothing added when the name is present.
  bool AddProc(const TProcedure& proc);
  std::size_t Count() const { return items_.size(); }
  const TProcedure& operator[](std::size_t i) const { return items_[i]; }

 private:
  std::vector<TProcedure> items_;
  std::uint64_t layout_ = NewLayoutStamp();
};

}  // namespace ox::script
