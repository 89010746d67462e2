#include "scene/json_text.h"

#include <charconv>
#include <cmath>

namespace ox::scene {

void AppendJsonString(std::string& out, std::string_view bytes) {
  static const char* hex = "0123456789abcdef";
  out += '"';
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {  // U+0080-U+00FF in UTF-8
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  out += '"';
}

void AppendJsonNumber(std::string& out, double v) {
  if (!std::isfinite(v)) {
    out += "null";
    return;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  out.append(buffer, result.ptr);
}

void AppendJsonValue(std::string& out, const script::Value& v) {
  using script::Kind;
  switch (v.kind) {
    case Kind::Empty: out += "null"; break;
    case Kind::Float:
    case Kind::Date: AppendJsonNumber(out, v.f); break;
    case Kind::Bool: out += v.i ? "true" : "false"; break;
    case Kind::String: AppendJsonString(out, v.s); break;
    default: out += std::to_string(v.i); break;
  }
}

}  // namespace ox::scene
