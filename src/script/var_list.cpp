#include "script/var_list.h"

#include <algorithm>
#include <atomic>

namespace ox::script {

bool IsValidVarName(std::string_view name) {
  if (name.empty()) return false;
  const auto first = static_cast<unsigned char>(name[0]);
  if (!IsIdentChar(first) || (first >= '0' && first <= '9')) return false;
  bool inIndex = false;
  for (std::size_t i = 1; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (!inIndex) {
      if (c == '[') {
        inIndex = true;
        continue;
      }
      if (!IsIdentChar(c)) return false;
    } else {
      if (c == ']') {
        if (i != name.size() - 1) return false;
        continue;
      }
      if (!((c >= '0' && c <= '9') || c == '-' || c == ',')) return false;
    }
  }
  return true;
}

// Each thread takes its stamps from a block of its own, so that a stamp costs no atomic
// operation; blocks start above kEmptyLayout.
std::uint64_t NewLayoutStamp() {
  constexpr std::uint64_t kBlock = std::uint64_t{1} << 32;
  static std::atomic<std::uint64_t> nextBlock{1};
  thread_local std::uint64_t next = 0, end = 0;
  if (next == end) {
    next = nextBlock.fetch_add(1, std::memory_order_relaxed) * kBlock;
    end = next + kBlock;
  }
  return next++;
}

std::string CurrentContext() {
  ScriptElement* e = Host().CurrentElement();
  return e ? e->DiagnosticContext() : std::string();
}

namespace {

void Diagnostic(const char* what, std::string_view name) {
  std::string line(what);
  line.append(name);
  line += " (in ";
  line += CurrentContext();
  line += ' ';
  line += Host().EventContextName();
  Host().ReportLine(line);
}

// Steps 1 and 2 of the path walk: leaves `e` at the element that owns the last component and
// `last` at that component. False for a broken path.
bool WalkPath(ScriptElement*& e, std::string_view& name, const TVarList& list) {
  while (!name.empty() && name[0] == '.') {
    name.remove_prefix(1);
    if (!e) return false;
    e = e->ScriptParent();
  }
  std::size_t dot;
  while ((dot = name.find('.')) != std::string_view::npos) {
    const std::string component(name.substr(0, dot));
    name.remove_prefix(dot + 1);
    if (component.empty() || !e) return false;
    Value v;
    if (e->GetVar(component, v)) {
      if (v.kind != Kind::UInt32) return false;
      e = Host().ResolveRef(static_cast<std::uint32_t>(v.i));
      continue;
    }
    if (const TVar* local = list.Find(component)) {
      if (local->Val.kind != Kind::UInt32) return false;
      e = Host().ResolveRef(static_cast<std::uint32_t>(local->Val.i));
      continue;
    }
    if (component == "OXDB") {
      e = Host().RootElement();
      continue;
    }
    return false;
  }
  return true;
}

}  // namespace

bool ReadElementPath(ScriptElement* element, std::string_view name, Value& out,
                     const TVarList& list) {
  const std::string_view full = name;
  if (!WalkPath(element, name, list)) return false;
  if (element) {
    if (element->GetVar(std::string(name), out)) return true;
    out = Value::UInt8(0);
    Diagnostic("Not var ", full);
    return true;
  }
  out = Value::UInt8(0);
  Diagnostic("Not var NIL ", full);
  return true;
}

bool WriteElementPath(ScriptElement* element, const TVar& var, const TVarList& list) {
  // Without a current element every path fails: the walk starts from nothing.
  if (!element) return false;
  std::string_view name = var.Name;
  if (!WalkPath(element, name, list)) return false;
  if (!element) return false;
  return element->SetVar(std::string(name), var.Val);
}

int TVarList::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (SameName(items_[i].Name, name)) return static_cast<int>(i);
  return -1;
}

TVar* TVarList::Find(std::string_view name) {
  for (auto& v : items_)
    if (SameName(v.Name, name)) return &v;
  return nullptr;
}

const TVar* TVarList::Find(std::string_view name) const {
  for (const auto& v : items_)
    if (SameName(v.Name, name)) return &v;
  return nullptr;
}

bool TVarList::AddAbsent(TVar&& var, bool diagnose, bool checked) {
  if (!checked && !IsValidVarName(var.Name)) return false;
  if (diagnose && std::find(var.Name.begin(), var.Name.end(), '.') != var.Name.end())
    Diagnostic("Add var ", var.Name);
  items_.push_back(std::move(var));
  Relayout();
  return true;
}

bool TVarList::AddVar(const TVar& var) { return Contains(var.Name) || AddAbsent(TVar(var), true); }

bool TVarList::AddIfAbsent(const TVar& var) {
  return Contains(var.Name) || AddAbsent(TVar(var), false);
}

// Without a current element the path write fails before anything runs, so the name is still
// absent; an element's setter may run anything, so the list is looked at again after it.
bool TVarList::AssignAbsent(TVar&& var, bool checked) {
  if (ScriptElement* element = Host().CurrentElement()) {
    if (WriteElementPath(element, var, *this)) return true;
    if (Contains(var.Name)) return true;
  }
  return AddAbsent(std::move(var), true, checked);
}

bool TVarList::Assign(const TVar& var) {
  if (TVar* v = Find(var.Name)) {
    v->Val = var.Val;
    return true;
  }
  return AssignAbsent(TVar(var));
}

bool TVarList::Assign(TVar&& var) {
  if (TVar* v = Find(var.Name)) {
    v->Val = std::move(var.Val);
    return true;
  }
  return AssignAbsent(std::move(var));
}

bool TVarList::SetValue(std::string_view name, const Value& value) {
  if (TVar* v = Find(name)) {
    v->Val = value;
    return true;
  }
  return false;
}

bool TVarList::LookupLocal(std::string_view name, TVar& out) const {
  if (const TVar* v = Find(name)) {
    out = *v;
    return true;
  }
  return false;
}

bool TVarList::Lookup(std::string_view name, TVar& out) const {
  if (const TVar* v = Find(name)) {
    out = *v;
    return true;
  }
  out.Name.assign(name);
  return ReadElementPath(Host().CurrentElement(), name, out.Val, *this);
}

void TVarList::CopyTo(TVarList& other) const {
  for (const auto& v : items_) other.AddVar(v);
}

}  // namespace ox::script
