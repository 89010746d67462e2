#include "gamefile/game_file_writer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

#include "elements/register_classes.h"
#include "gamefile/game_file_decoder.h"
#include "platform/files/atomic_file.h"
#include "scene/class_registry.h"
#include "scene/element.h"
#include "scene/game_root.h"

namespace ox::gamefile {

using scene::ClassInfo;
using scene::ClassRegistry;
using scene::PropValue;
using scene::StreamKind;

namespace {

const ClassInfo& ClassNamed(std::string_view name) {
  EnsureClassesRegistered();
  const ClassInfo* info = ClassRegistry::Instance().Find(name);
  if (info == nullptr) throw std::invalid_argument("unknown element class " + std::string(name));
  return *info;
}

RawValue RawOf(StreamKind kind, const PropValue& v) {
  switch (kind) {
    case StreamKind::Int32:
      return static_cast<std::int32_t>(static_cast<std::uint32_t>(scene::AsInteger(v)));
    case StreamKind::Float64: return static_cast<double>(scene::AsFloat(v));
    case StreamKind::String: return scene::AsString(v);
  }
  return std::int32_t{0};
}

bool Matches(StreamKind kind, const RawValue& v) {
  switch (kind) {
    case StreamKind::Int32: return std::holds_alternative<std::int32_t>(v);
    case StreamKind::Float64: return std::holds_alternative<double>(v);
    case StreamKind::String: return std::holds_alternative<std::string>(v);
  }
  return false;
}

// The creation defaults of every class, read from elements made in a scratch tree.
const std::vector<RawValue>& DefaultsOf(const ClassInfo& info) {
  static std::map<std::string, std::vector<RawValue>> cache;
  auto found = cache.find(info.name);
  if (found != cache.end()) return found->second;
  scene::TOxDB scratch;
  scene::TOxElement* element = &scratch;
  if (info.name != scratch.Class().name) {
    scene::TOxElement* hosts[] = {&scratch, scene::CreateChild(scratch, "TOxScreen"),
                                  scene::CreateChild(scratch, "TOxAnim")};
    element = nullptr;
    for (scene::TOxElement* host : hosts) {
      if (element == nullptr && host != nullptr) element = scene::CreateChild(*host, info.name);
    }
    if (element == nullptr) throw std::invalid_argument("no parent can hold " + info.name);
  }
  std::vector<RawValue> values;
  for (const auto& p : info.properties) values.push_back(RawOf(scene::StreamKindOf(p.type), p.get(*element)));
  return cache.emplace(info.name, std::move(values)).first->second;
}

void PutInt32(std::string& out, std::int32_t v) {
  char bytes[4];
  std::memcpy(bytes, &v, 4);
  out.append(bytes, 4);
}

void PutString(std::string& out, std::string_view s) {
  PutInt32(out, static_cast<std::int32_t>(s.size()));
  out.append(s);
}

void PutValue(std::string& out, const RawValue& v) {
  if (const auto* i = std::get_if<std::int32_t>(&v)) return PutInt32(out, *i);
  if (const auto* f = std::get_if<double>(&v)) {
    char bytes[8];
    std::memcpy(bytes, f, 8);
    return void(out.append(bytes, 8));
  }
  PutString(out, std::get<std::string>(v));
}

}  // namespace

void EnsureClassesRegistered() {
  if (ClassRegistry::Instance().Classes().empty()) elements::RegisterElementClasses();
}

Node Node::Of(std::string className) {
  ClassNamed(className);
  Node node;
  node.className = std::move(className);
  return node;
}

Node& Node::Set(std::string_view property, RawValue value) {
  const ClassInfo& info = ClassNamed(className);
  const scene::PropertyInfo* p = info.FindProperty(property);
  if (p == nullptr) throw std::invalid_argument(className + " has no property " + std::string(property));
  if (!Matches(scene::StreamKindOf(p->type), value))
    throw std::invalid_argument("wrong kind of value for " + std::string(property));
  const auto index = static_cast<std::size_t>(p - info.properties.data());
  const auto& defaults = DefaultsOf(info);
  while (values.size() <= index) values.push_back(defaults[values.size()]);
  values[index] = std::move(value);
  return *this;
}

Node& Node::Add(Node child) {
  children.push_back(std::move(child));
  return *this;
}

namespace {

std::string WriteRecord(const Node& node) {
  if (node.raw) return *node.raw;
  std::string out;
  PutString(out, node.storedName.value_or(node.className));
  PutInt32(out, node.storedCount.value_or(static_cast<std::int32_t>(node.values.size())));
  for (const RawValue& v : node.values) PutValue(out, v);
  for (const Node& child : node.children) PutString(out, WriteRecord(child));
  return out;
}

// With OX_KEEP_WRITTEN_GAMES set to a folder, every whole game file written is also kept there
// under a name made from its content, so that a later test can read back all the games the
// tests wrote.
void KeepWrittenGame(const Node& node, std::string_view bytes) {
  const char* folder = std::getenv("OX_KEEP_WRITTEN_GAMES");
  if (folder == nullptr || node.className != scene::TOxDB::StaticClass().name) return;
  char name[32];
  std::snprintf(name, sizeof name, "%016zx.oxf", std::hash<std::string_view>{}(bytes));
  platform::WriteFileAtomically(std::filesystem::path(folder) / name, bytes);
}

}  // namespace

std::string WriteGameFile(const Node& node) {
  std::string bytes = WriteRecord(node);
  KeepWrittenGame(node, bytes);
  return bytes;
}

std::optional<Node> ParseGameFile(std::string_view bytes) {
  DecodedGame decoded = DecodeGameFile(bytes);
  if (decoded.damage) return std::nullopt;
  return std::move(decoded.root);
}

Node NodeFromElement(const scene::TOxElement& element) {
  Node node;
  node.className = element.Class().name;
  for (const auto& p : element.Class().properties)
    node.values.push_back(RawOf(scene::StreamKindOf(p.type), p.get(element)));
  for (const auto& child : element.Children()) node.children.push_back(NodeFromElement(*child));
  return node;
}

}  // namespace ox::gamefile
