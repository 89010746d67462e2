// TVarList: the ordered list of named script values, with its fall-back to the
// current element for names it does not hold (ReadElementPath / WriteElementPath).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/host.h"
#include "script/value.h"

namespace ox::script {

// The identifier characters of the script language: ".", "0"-"9", "A"-"Z", "a"-"z", "_" and
// the Windows-1251 letters 0xA8, 0xB8, 0xC0-0xFF.
inline constexpr std::array<bool, 256> kIdentChars = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c)
    table[c] = c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
               (c >= 'a' && c <= 'z') || c == '_' || c == 0xA8 || c == 0xB8 || c >= 0xC0;
  return table;
}();
inline bool IsIdentChar(unsigned char c) { return kIdentChars[c]; }

// The valid-variable-name test (X, A.B, A[1,2], A[-1] are valid; 1X, A B, A[I]
// are not).
bool IsValidVarName(std::string_view name);

// Whether two names are the same. Names are mostly short and differ early: a plain loop settles
// them sooner than a call of memcmp.
inline bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < b.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// A stamp no list has had before (layout stamps of TVarList, TFuncList and TProcList).
std::uint64_t NewLayoutStamp();
// The stamp every empty variable list shares; NewLayoutStamp never returns it.
inline constexpr std::uint64_t kEmptyLayout = 1;

// Names of records are changed only through the list's own operations (values may be changed
// in place): positions found under one layout stamp hold while the stamp is the same. Equal
// stamps mean equal names in equal places, so a copy keeps its original's stamp and a move
// hands the stamp over: positions found before a call hold again once the caller's saved list
// is moved back.
class TVarList {
 public:
  TVarList() = default;
  TVarList(const TVarList& other) = default;
  TVarList(TVarList&& other) noexcept : items_(std::move(other.items_)), layout_(other.layout_) {
    other.Clear();
  }
  TVarList& operator=(const TVarList& other) = default;
  TVarList& operator=(TVarList&& other) noexcept {
    if (this == &other) return *this;
    items_ = std::move(other.items_);
    layout_ = other.layout_;
    other.Clear();
    return *this;
  }

  // Becomes a copy of `other` with room for `more` records, so that adding them moves none of
  // the others; the list's own storage is reused where it is large enough.
  void CopyWithRoom(const TVarList& other, std::size_t more) {
    items_.reserve(other.items_.size() + more);
    items_.assign(other.items_.begin(), other.items_.end());
    layout_ = other.layout_;
  }

  // Changes whenever records are added or removed, never when only values change; a list
  // assigned from another takes the other's stamp.
  std::uint64_t Layout() const { return layout_; }

  // Frees every record and empties the list.
  void Clear() {
    items_.clear();
    layout_ = kEmptyLayout;
  }
  // True when a record has exactly this name.
  bool Contains(std::string_view name) const { return IndexOf(name) >= 0; }
  // Position of the first record with this name, -1 when none.
  int IndexOf(std::string_view name) const;
  // Present: nothing changes, true. Invalid name: false. Else appends a copy (writing the
  // "Add var" diagnostic when the name contains "."), true.
  bool AddVar(const TVar& var);
  // As AddVar without the diagnostic.
  bool AddIfAbsent(const TVar& var);
  // The scripts' assignment: an existing record takes the value; else the name is written
  // through the current element (WriteElementPath); else AddVar.
  bool Assign(const TVar& var);
  // As Assign, moving the value into an existing record (long strings are not copied).
  bool Assign(TVar&& var);
  // Assign of a name the caller has just found absent (and valid, when `checked`).
  bool AssignAbsent(TVar&& var, bool checked = false);
  // Replaces the value of an existing record; false (nothing added) when not present.
  bool SetValue(std::string_view name, const Value& value);
  // Copies the first record with this name; false when none.
  bool LookupLocal(std::string_view name, TVar& out) const;
  // The scripts' read: the record if present, else ReadElementPath through the current
  // element. False only for a broken path.
  bool Lookup(std::string_view name, TVar& out) const;
  // AddVar of every record into another list, in order.
  void CopyTo(TVarList& other) const;

  // Plain access (native functions, the host).
  std::size_t Count() const { return items_.size(); }
  TVar& operator[](std::size_t i) { return items_[i]; }
  const TVar& operator[](std::size_t i) const { return items_[i]; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  // The first record with this name, or nullptr.
  TVar* Find(std::string_view name);
  const TVar* Find(std::string_view name) const;
  // Appends without any check (the interpreter's argument lists).
  void Append(TVar var) {
    items_.push_back(std::move(var));
    Relayout();
  }
  // Removes the record at a position.
  void Delete(std::size_t i) {
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
    Relayout();
  }

 private:
  void Relayout() { layout_ = NewLayoutStamp(); }
  // Appends a name known to be absent (with the "Add var" diagnostic when asked); false for an
  // invalid name, unless the caller has `checked` it.
  bool AddAbsent(TVar&& var, bool diagnose, bool checked = false);

  std::vector<TVar> items_;
  std::uint64_t layout_ = kEmptyLayout;
};

// The path walk. `list` is the variable list whose records stand for intermediate
// components that the element does not answer. Reading: false only for a broken path; an
// unknown last component reads as UInt8 0 with a "Not var"/"Not var NIL" diagnostic.
bool ReadElementPath(ScriptElement* element, std::string_view name, Value& out,
                     const TVarList& list);
// Writing: false on any failure on the way and when the element's SetVar does not handle it.
bool WriteElementPath(ScriptElement* element, const TVar& var, const TVarList& list);

// The context text of diagnostics and error lines: the current element's DiagnosticContext(),
// empty when there is none.
std::string CurrentContext();

}  // namespace ox::script
