#include "scene/saved_state.h"

#include <cstdint>
#include <exception>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/core/log.h"
#include "platform/files/atomic_file.h"
#include "platform/files/read_file.h"
#include "scene/class_registry.h"
#include "scene/element.h"
#include "scene/element_refs.h"
#include "scene/extended_float.h"
#include "scene/game_file_reader.h"
#include "scene/game_root.h"
#include "scene/picture_loading.h"
#include "scene/scene_state.h"
#include "script/value.h"
#include "script/var_list.h"

namespace ox::scene {

namespace {

using script::Kind;
using script::Value;

constexpr char kTypeInt = 'I';
constexpr char kTypeExtended = 'E';
constexpr char kTypeWord = 'W';
constexpr char kTypeElement = 'O';
constexpr char kTypeString = 'S';

constexpr std::size_t kMaxLength = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

// The table's rules and the class's facts decide.
bool IsSaved(const ClassInfo& c, const PropertyInfo& p) {
  return !p.Has(kNotSaved) && (c.facts.savesPosition || !p.Has(kPosition));
}

void CollectKeys(const TOxElement& e, std::unordered_set<std::int32_t>& keys) {
  keys.insert(e.Key);
  for (const auto& child : e.Children()) CollectKeys(*child, keys);
}

// The Key that stands for "no element": one that no element of the tree has.
std::int32_t KeyOfNoElement(const TOxElement& root) {
  std::unordered_set<std::int32_t> keys;
  CollectKeys(root, keys);
  std::int32_t key = 0;
  while (keys.count(key) != 0 && key > std::numeric_limits<std::int32_t>::min()) --key;
  return key;
}

class StateWriter {
 public:
  explicit StateWriter(std::int32_t keyOfNoElement) : keyOfNoElement_(keyOfNoElement) {}

  // One record; nothing for a value of a kind the format has no type for.
  void Record(std::int32_t key, std::string_view name, const Value& v) {
    if (name.size() > kMaxLength || (v.IsString() && v.s.size() > kMaxLength)) return;
    const char type = TypeOf(v.kind);
    if (type == 0) return;
    Int32(key);
    Int32(static_cast<std::int32_t>(name.size()));
    out_.append(name);
    out_.push_back(type);
    AppendValue(type, v);
  }

  const std::string& Bytes() const { return out_; }

 private:
  static char TypeOf(Kind kind) {
    switch (kind) {
      case Kind::UInt8:
      case Kind::Int8:
      case Kind::Int32:
      case Kind::Bool: return kTypeInt;
      case Kind::Float: return kTypeExtended;
      case Kind::UInt16: return kTypeWord;
      case Kind::UInt32: return kTypeElement;
      case Kind::String: return kTypeString;
      case Kind::Empty:
      case Kind::Int64:
      case Kind::Date: return 0;
    }
    return 0;
  }

  void AppendValue(char type, const Value& v) {
    switch (type) {
      case kTypeInt: Int32(static_cast<std::int32_t>(v.i)); break;
      case kTypeExtended: {
        const Extended80 e = EncodeExtended(v.f);
        out_.append(reinterpret_cast<const char*>(e.data()), e.size());
        break;
      }
      case kTypeWord: Uint(static_cast<std::uint16_t>(v.i), 2); break;
      case kTypeElement: {
        const TOxElement* target = ElementRefs::Resolve(static_cast<std::uint32_t>(v.i));
        Int32(target ? target->Key : keyOfNoElement_);
        break;
      }
      case kTypeString:
        Int32(static_cast<std::int32_t>(v.s.size()));
        out_.append(v.s);
        break;
    }
  }

  void Int32(std::int32_t v) { Uint(static_cast<std::uint32_t>(v), 4); }
  void Uint(std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }

  std::int32_t keyOfNoElement_;
  std::string out_;
};

// GetVar, with a failed reading (a range error, say) taken as no answer.
bool Answer(TOxElement& e, const std::string& name, Value& out) {
  try {
    return e.GetVar(name, out);
  } catch (const std::exception&) {
    return false;
  }
}

void SaveOwnValues(TOxElement& e, StateWriter& out) {
  Value v;
  const ClassInfo& c = e.Class();
  for (const PropertyInfo& p : c.properties) {
    if (IsSaved(c, p) && Answer(e, p.name, v)) out.Record(e.Key, p.name, v);
  }
  if (const script::TVarList* vars = e.Vars()) {
    for (const script::TVar& var : *vars) out.Record(e.Key, var.Name, var.Val);
  }
  for (const char* name : c.facts.extraSavedNames)
    if (Answer(e, name, v)) out.Record(e.Key, name, v);
}

void SaveSubtree(TOxElement& e, StateWriter& out) {
  if (!e.Class().facts.savesSubtree) return;
  if (!e.NotSave) SaveOwnValues(e, out);
  for (const auto& child : e.Children()) SaveSubtree(*child, out);
}

// A cursor over the file. Every read checks what is left first, so a damaged length is never
// allocated or read past; a read that does not fit consumes nothing and answers false.
class StateReader {
 public:
  explicit StateReader(std::string_view data) : data_(data) {}
  bool AtEnd() const { return pos_ >= data_.size(); }

  bool Take(std::size_t n, std::string_view& out) {
    if (data_.size() - pos_ < n) return false;
    out = data_.substr(pos_, n);
    pos_ += n;
    return true;
  }
  bool Uint(int bytes, std::uint32_t& out) {
    std::string_view b;
    if (!Take(static_cast<std::size_t>(bytes), b)) return false;
    out = 0;
    for (int i = bytes - 1; i >= 0; --i) out = (out << 8) | static_cast<unsigned char>(b[static_cast<std::size_t>(i)]);
    return true;
  }
  bool Int32(std::int32_t& out) {
    std::uint32_t u = 0;
    if (!Uint(4, u)) return false;
    out = static_cast<std::int32_t>(u);
    return true;
  }
  // int32 byte count, then the bytes; false for a negative count or one past the end.
  bool CountedBytes(std::string_view& out) {
    std::int32_t n = 0;
    return Int32(n) && n >= 0 && Take(static_cast<std::size_t>(n), out);
  }

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
};

struct StateRecord {
  std::int32_t key = 0;
  std::string name;
  bool hasValue = false;  // false for an unknown type byte: the record carries no value
  Value value;
};

bool ReadValue(StateReader& in, char type, TOxDB& root, Value& out) {
  std::uint32_t u = 0;
  std::int32_t n = 0;
  std::string_view bytes;
  switch (type) {
    case kTypeInt: return in.Int32(n) ? (out = Value::Int32(n), true) : false;
    case kTypeWord: return in.Uint(2, u) ? (out = Value{Kind::UInt16, u, 0.0, {}}, true) : false;
    case kTypeElement: {
      if (!in.Int32(n)) return false;
      const TOxElement* target = root.FindByKey(n);
      out = Value::UInt32(target ? target->Ref() : 0);
      return true;
    }
    case kTypeString: return in.CountedBytes(bytes) ? (out = Value::String(std::string(bytes)), true) : false;
    case kTypeExtended: {
      if (!in.Take(10, bytes)) return false;
      Extended80 e{};
      for (std::size_t i = 0; i < e.size(); ++i) e[i] = static_cast<std::uint8_t>(bytes[i]);
      out = Value::Float(DecodeExtended(e));
      return true;
    }
  }
  return false;
}

bool IsKnownType(char type) {
  return type == kTypeInt || type == kTypeExtended || type == kTypeWord || type == kTypeElement ||
         type == kTypeString;
}

// False when the file ends inside the record.
bool ReadStateRecord(StateReader& in, TOxDB& root, StateRecord& r) {
  std::string_view name, type;
  if (!in.Int32(r.key) || !in.CountedBytes(name) || !in.Take(1, type)) return false;
  r.name.assign(name);
  r.hasValue = IsKnownType(type[0]);
  return !r.hasValue || ReadValue(in, type[0], root, r.value);
}

// The element of each record: the previous one again for the same Key, else the hint left by
// the previous search when it has the Key, else a search from the root. Both are held as
// references, so an element that a setter destroyed reads as none.
class ElementFinder {
 public:
  explicit ElementFinder(TOxDB& root) : root_(root) {}

  TOxElement* Find(std::int32_t key) {
    if (started_ && key == key_) return ElementRefs::Resolve(element_);
    started_ = true;
    key_ = key;
    TOxElement* hint = ElementRefs::Resolve(hint_);
    TOxElement* found = nullptr;
    if (hint != nullptr && hint->Key == key) {
      found = hint;
    } else {
      hint = nullptr;
      found = root_.FindByKey(key, hint);
      hint_ = hint ? hint->Ref() : 0;
    }
    element_ = found ? found->Ref() : 0;
    return found;
  }

 private:
  TOxDB& root_;
  bool started_ = false;
  std::int32_t key_ = 0;
  std::uint32_t element_ = 0;
  std::uint32_t hint_ = 0;
};

void ApplyRecords(TOxDB& root, std::string_view data) {
  StateReader in(data);
  ElementFinder finder(root);
  StateRecord record;
  while (!in.AtEnd() && ReadStateRecord(in, root, record)) {
    TOxElement* element = finder.Find(record.key);
    if (!record.hasValue || element == nullptr || element->NotSave) continue;
    try {
      element->SetVar(record.name, record.value);
    } catch (const std::exception&) {
      // A setter that fails leaves that one value as it was; the rest of the state still loads.
    }
  }
}

std::string ReadStateFile(const std::filesystem::path& file) {
  if (auto data = platform::ReadWholeFile(file)) return std::move(*data);
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) platform::LogLine("cannot read saved state " + file.string());
  return {};
}

}  // namespace

bool SaveState(TOxDB& root, const std::filesystem::path& file) {
  StateWriter out(KeyOfNoElement(root));
  SaveSubtree(root, out);
  return platform::WriteFileAtomically(file, out.Bytes());
}

void LoadState(TOxDB& root, const std::filesystem::path& file) {
  SetReadingRecords(true);
  Pictures().SetLoadNow(false);
  ApplyRecords(root, ReadStateFile(file));
  Pictures().SetLoadNow(true);
  // Reading ends before the tree's AfterLoad, where animations build their tables once from
  // the restored layout.
  SetReadingRecords(false);
  try {
    root.AfterLoad();
  } catch (const std::exception& e) {
    platform::LogLine(std::string("after loading saved state: ") + e.what());
  }
}

}  // namespace ox::scene
