#include "gamefile/game_file_writer.h"

#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>

#include "elements/register_classes.h"
#include "scene/byte_reader.h"
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

std::optional<Node> ParseRecord(std::string_view bytes) {
  scene::ByteReader in(bytes);
  try {
    Node node;
    node.className = std::string(in.ReadString());
    const ClassInfo* info = ClassRegistry::Instance().Find(node.className);
    const std::int32_t count = in.ReadInt32();
    if (info == nullptr || count < 0 || static_cast<std::size_t>(count) > info->properties.size())
      return std::nullopt;
    for (std::int32_t i = 0; i < count; ++i) {
      switch (scene::StreamKindOf(info->properties[static_cast<std::size_t>(i)].type)) {
        case StreamKind::Int32: node.values.emplace_back(in.ReadInt32()); break;
        case StreamKind::Float64: node.values.emplace_back(in.ReadFloat64()); break;
        case StreamKind::String: node.values.emplace_back(std::string(in.ReadString())); break;
      }
    }
    while (!in.AtEnd()) {
      auto child = ParseRecord(in.ReadString());
      if (!child) return std::nullopt;
      node.children.push_back(std::move(*child));
    }
    return node;
  } catch (const scene::ReadError&) {
    return std::nullopt;
  }
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

std::string WriteGameFile(const Node& node) {
  std::string out;
  PutString(out, node.className);
  PutInt32(out, static_cast<std::int32_t>(node.values.size()));
  for (const RawValue& v : node.values) PutValue(out, v);
  for (const Node& child : node.children) PutString(out, WriteGameFile(child));
  return out;
}

std::optional<Node> ParseGameFile(std::string_view bytes) {
  EnsureClassesRegistered();
  return ParseRecord(bytes);
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
