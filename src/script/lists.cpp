#include "script/lists.h"

#include "script/var_list.h"

namespace ox::script {

bool TFuncList::AddFunc(const std::string& name, NativeFunction callback) {
  if (!IsValidVarName(name)) return false;
  std::string up = name;
  for (char& c : up)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  items_.push_back(TFunc{up, std::move(callback)});
  index_.emplace(up, items_.size() - 1);  // keeps the first of equal names
  layout_ = NewLayoutStamp();
  return true;
}

int TFuncList::IndexOf(std::string_view name) const {
  if (items_.empty()) return -1;
  auto it = index_.find(std::string(name));
  return it == index_.end() ? -1 : static_cast<int>(it->second);
}

void TFuncList::Delete(std::size_t i) {
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
  Reindex();
  layout_ = NewLayoutStamp();
}

void TFuncList::Reindex() {
  index_.clear();
  for (std::size_t i = 0; i < items_.size(); ++i) index_.emplace(items_[i].Name, i);
}

int TProcList::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Name == name) return static_cast<int>(i);
  return -1;
}

const TProcedure* TProcList::Get(std::string_view name) const {
  const int i = IndexOf(name);
  return i < 0 ? nullptr : &items_[static_cast<std::size_t>(i)];
}

bool TProcList::AddProc(const TProcedure& proc) {
  if (IndexOf(proc.Name) >= 0) return false;
  items_.push_back(proc);
  layout_ = NewLayoutStamp();
  return true;
}

}  // namespace ox::script
