#include "oxf/text_values.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "scene/property_accessors.h"

namespace ox::oxf {

using gamefile::RawValue;
using scene::PropertyInfo;
using scene::StreamKind;

namespace {

bool Printable(unsigned char c) { return c >= 0x20 && c < 0x7F; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::uint64_t> ParseHex(std::string_view digits, std::size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  std::uint64_t v = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    v = v * 16 + static_cast<std::uint64_t>(d);
  }
  return v;
}

// Decimal from -2^31 or hexadecimal (0x...) up to 2^32 - 1: the 32 stored bits.
std::optional<std::int32_t> ParseInt32(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) {
    const auto v = ParseHex(text.substr(2), 8);
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*v));
  }
  std::int64_t v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (v < INT32_MIN || v > static_cast<std::int64_t>(UINT32_MAX)) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

std::optional<double> ParseFloat64(std::string_view text) {
  if (text.starts_with("bits(") && text.ends_with(")")) {
    const auto v = ParseHex(text.substr(5, text.size() - 6), 16);
    if (!v) return std::nullopt;
    double d;
    std::memcpy(&d, &*v, 8);
    return d;
  }
  double d = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), d);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return d;
}

std::string FormatFloat64(double d) {
  char buffer[40];
  if (d - d != 0) {  // infinite or not a number: its exact bits, payload and sign included
    std::uint64_t bits;
    std::memcpy(&bits, &d, 8);
    std::snprintf(buffer, sizeof buffer, "bits(%016llX)", static_cast<unsigned long long>(bits));
    return buffer;
  }
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, d);
  return std::string(buffer, end);
}

// The names of an ordinal property's values: its enumeration's, or False and True for a Boolean
// whose table entry gives none.
const std::vector<const char*>* ValueNames(const PropertyInfo& property) {
  if (property.enumNames != nullptr || property.type != scene::PropType::Boolean) return property.enumNames;
  return &scene::kBooleanNames;
}

}  // namespace

std::string Quote(std::string_view bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (Printable(c)) {
      out += ch;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out + '"';
}

std::optional<std::string> Unquote(std::string_view text) {
  if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') return std::nullopt;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i + 1 >= text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case '"': out += '"'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'x': {
        const auto v = i + 3 < text.size() ? ParseHex(text.substr(i + 1, 2), 2) : std::nullopt;
        if (!v) return std::nullopt;
        out += static_cast<char>(*v);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return out;
}

std::string FormatNumber(const PropertyInfo& property, const RawValue& value) {
  if (const auto* d = std::get_if<double>(&value)) return FormatFloat64(*d);
  const std::int32_t v = std::get<std::int32_t>(value);
  const auto* names = ValueNames(property);
  if (names != nullptr && v >= 0 && static_cast<std::size_t>(v) < names->size()) return (*names)[static_cast<std::size_t>(v)];
  if (property.type == scene::PropType::Cardinal) {
    char hex[12];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<std::uint32_t>(v));
    return hex;
  }
  return std::to_string(v);
}

std::optional<RawValue> ParseNumber(const PropertyInfo& property, std::string_view text) {
  if (scene::StreamKindOf(property.type) == StreamKind::Float64) {
    if (const auto d = ParseFloat64(text)) return RawValue(*d);
    return std::nullopt;
  }
  if (const auto* names = ValueNames(property)) {
    for (std::size_t i = 0; i < names->size(); ++i) {
      const char* name = (*names)[i];
      if (text.size() == std::strlen(name) && strncasecmp(text.data(), name, text.size()) == 0)
        return RawValue(static_cast<std::int32_t>(i));
    }
  }
  if (const auto v = ParseInt32(text)) return RawValue(*v);
  return std::nullopt;
}

std::optional<TextBlock> AsBlock(std::string_view bytes) {
  const std::size_t lineEnds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  if (lineEnds == 0) return std::nullopt;
  const std::size_t returns = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r'));
  TextBlock block;
  block.crlf = returns > 0;
  if (returns != 0 && returns != lineEnds) return std::nullopt;
  const std::string_view lineEnd = block.crlf ? "\r\n" : "\n";
  for (;;) {
    const std::size_t end = bytes.find(lineEnd);
    const std::string_view line = bytes.substr(0, end);
    for (const char c : line) {
      if (!Printable(static_cast<unsigned char>(c)) && c != '\t') return std::nullopt;
    }
    block.lines.push_back(line);
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + lineEnd.size());
  }
  return block;
}

std::string JoinBlock(const std::vector<std::string>& lines, bool crlf) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += crlf ? "\r\n" : "\n";
    out += lines[i];
  }
  return out;
}

}  // namespace ox::oxf
