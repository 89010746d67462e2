#include "script/value_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace ox::script {

std::string JsonString(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + 2);
  out.push_back('"');
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"') {
      out += "\\\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  out.push_back('"');
  return out;
}

std::string JsonNumber(double v) {
  if (!std::isfinite(v)) return "null";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

std::string ValueToJson(const Value& v, const std::function<std::string(std::uint32_t)>& refValue) {
  switch (v.kind) {
    case Kind::Empty: return "null";
    case Kind::UInt32:
      if (refValue) return refValue(static_cast<std::uint32_t>(v.i));
      return std::to_string(v.i);
    case Kind::UInt8:
    case Kind::Int8:
    case Kind::UInt16:
    case Kind::Int32:
    case Kind::Int64: return std::to_string(v.i);
    case Kind::Float:
    case Kind::Date: return JsonNumber(v.f);
    case Kind::Bool: return v.i ? "true" : "false";
    case Kind::String: return JsonString(v.s);
  }
  return "null";
}

std::string VarToJson(const TVar& var, const std::function<std::string(std::uint32_t)>& refValue) {
  std::string out = "{\"name\":";
  out += JsonString(var.Name);
  out += ",\"kind\":\"";
  out += KindName(var.Val.kind);
  out += "\",\"value\":";
  out += ValueToJson(var.Val, refValue);
  out += '}';
  return out;
}

}  // namespace ox::script
