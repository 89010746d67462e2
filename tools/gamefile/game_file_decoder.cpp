#include "gamefile/game_file_decoder.h"

#include "scene/byte_reader.h"
#include "scene/class_registry.h"
#include "scene/game_file_reader.h"
#include "scene/game_root.h"

namespace ox::gamefile {

using scene::ByteReader;
using scene::ClassInfo;
using scene::ReadError;
using scene::StreamKind;

namespace {

class Decoder {
 public:
  explicit Decoder(std::string_view file) : file_(file) {}

  // Fills node from one record read as class info; false once damage was found.
  bool Record(std::string_view data, const ClassInfo& info, Node& node, int depth) {
    ByteReader in(data);
    node.className = info.name;
    try {
      const std::string_view stored = in.ReadString();
      if (stored != info.name) node.storedName = std::string(stored);
      Values(in, info, node);
      while (!in.AtEnd()) {
        if (!Child(in.ReadString(), info, node, depth)) return false;
      }
      return true;
    } catch (const ReadError& e) {
      Note(data, in.Position(), node, e.what());
      return false;
    }
  }

  std::optional<Damage> damage;

 private:
  static void Values(ByteReader& in, const ClassInfo& info, Node& node) {
    const std::int32_t count = in.ReadInt32();
    const std::size_t n = count < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(count), info.properties.size());
    if (count < 0 || static_cast<std::size_t>(count) != n) node.storedCount = count;
    for (std::size_t i = 0; i < n; ++i) {
      switch (scene::StreamKindOf(info.properties[i].type)) {
        case StreamKind::Int32: node.values.emplace_back(in.ReadInt32()); break;
        case StreamKind::Float64: node.values.emplace_back(in.ReadFloat64()); break;
        case StreamKind::String: node.values.emplace_back(std::string(in.ReadString())); break;
      }
    }
  }

  // A child record: an element when the player would create one for it, raw otherwise.
  bool Child(std::string_view record, const ClassInfo& parent, Node& node, int depth) {
    Node child;
    const ClassInfo* info = scene::ClassRegistry::Instance().Find(scene::ChildRecordClassName(record));
    const bool read = depth < scene::kMaxRecordDepth && info != nullptr && info->createIn != nullptr &&
                      info->MayBeChildOf(parent.name);
    if (!read) {
      child.raw = std::string(record);
      node.children.push_back(std::move(child));
      return true;
    }
    const bool whole = Record(record, *info, child, depth + 1);
    node.children.push_back(std::move(child));
    return whole;
  }

  void Note(std::string_view data, std::size_t at, const Node& node, const char* reason) {
    if (damage) return;
    std::string id;
    if (node.values.size() > 1) {
      if (const auto* s = std::get_if<std::string>(&node.values[1])) id = *s;
    }
    const auto offset = static_cast<std::size_t>(data.data() - file_.data()) + at;
    damage = Damage{offset, "a " + node.className + " record (id \"" + id + "\")", reason};
  }

  std::string_view file_;
};

}  // namespace

DecodedGame DecodeGameFile(std::string_view bytes) {
  EnsureClassesRegistered();
  Decoder decoder(bytes);
  DecodedGame result;
  decoder.Record(bytes, scene::TOxDB::StaticClass(), result.root, 0);
  result.damage = decoder.damage;
  return result;
}

}  // namespace ox::gamefile
