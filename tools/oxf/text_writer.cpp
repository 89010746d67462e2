#include "oxf/text_form.h"
#include "oxf/text_values.h"
#include "scene/class_registry.h"

namespace ox::oxf {

using gamefile::Node;

namespace {

void WriteValue(std::string& out, const std::string& indent, const scene::PropertyInfo& p,
                const gamefile::RawValue& value) {
  out += indent + p.name + " = ";
  const auto* s = std::get_if<std::string>(&value);
  if (s == nullptr) {
    out += FormatNumber(p, value) + "\n";
    return;
  }
  const auto block = AsBlock(*s);
  if (!block) {
    out += Quote(*s) + "\n";
    return;
  }
  out += block->crlf ? "<<< crlf\n" : "<<<\n";
  for (const std::string_view line : block->lines) {
    out += indent + "  |";
    out += line;
    out += "\n";
  }
  out += indent + "  >>>\n";
}

void WriteNode(std::string& out, const Node& node, const std::string& indent) {
  if (node.raw) {
    out += indent + "@raw " + Quote(*node.raw) + "\n";
    return;
  }
  out += indent + node.className;
  if (node.storedName) out += " " + Quote(*node.storedName);
  out += " {\n";
  const std::string inner = indent + "  ";
  if (node.storedCount) out += inner + "@count " + std::to_string(*node.storedCount) + "\n";
  const scene::ClassInfo* info = scene::ClassRegistry::Instance().Find(node.className);
  for (std::size_t i = 0; i < node.values.size(); ++i) WriteValue(out, inner, info->properties[i], node.values[i]);
  for (const Node& child : node.children) WriteNode(out, child, inner);
  out += indent + "}\n";
}

}  // namespace

std::string WriteSource(const Node& root) {
  gamefile::EnsureClassesRegistered();
  std::string out;
  WriteNode(out, root, "");
  return out;
}

}  // namespace ox::oxf
