#include "scriptlib/number_text.h"

#include <charconv>
#include <cmath>

#include "scriptlib/decimal_text.h"

namespace ox::scriptlib {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Scans the number grammar from `pos`; returns the end of the longest acceptable number, or
// the position of the first byte that breaks it. `complete` tells whether a number ended there.
std::size_t ScanFloat(std::string_view s, std::size_t pos, bool& complete) {
  complete = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
  bool digits = false;
  while (pos < s.size() && IsDigit(s[pos])) ++pos, digits = true;
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    while (pos < s.size() && IsDigit(s[pos])) ++pos, digits = true;
  }
  if (!digits) return pos;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    bool exponent = false;
    while (pos < s.size() && IsDigit(s[pos])) ++pos, exponent = true;
    if (!exponent) return pos;
  }
  complete = true;
  return pos;
}

// Converts a text that ScanFloat accepted whole.
bool ConvertFloat(std::string_view s, double& out) {
  const bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
  double v = 0;
  const auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
  out = negative ? -v : v;
  return true;
}

}  // namespace

std::string FloatToStr(double v) {
  std::string text = FixedText(v, 15);
  if (text.find('.') == std::string::npos) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

std::int32_t StrToInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  if (pos >= text.size()) return 0;
  std::int64_t v = 0;
  if (text[pos] == '$') {
    if (++pos >= text.size() || text.size() - pos > 8) return 0;
    for (; pos < text.size(); ++pos) {
      const int d = HexDigit(text[pos]);
      if (d < 0) return 0;
      v = v * 16 + d;
    }
    const auto bits = static_cast<std::uint32_t>(negative ? -v : v);
    return static_cast<std::int32_t>(bits);
  }
  for (; pos < text.size(); ++pos) {
    if (!IsDigit(text[pos])) return 0;
    v = v * 10 + (text[pos] - '0');
    if (v > 2147483648LL) return 0;
  }
  if (negative) return static_cast<std::int32_t>(-v);
  return v > 2147483647LL ? 0 : static_cast<std::int32_t>(v);
}

bool StrToFloat(std::string_view text, double& out) {
  bool complete = false;
  if (ScanFloat(text, 0, complete) != text.size() || !complete) return false;
  return ConvertFloat(text, out);
}

ValResult Val(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  bool complete = false;
  const std::size_t end = ScanFloat(text, start, complete);
  ValResult r;
  if (end != text.size() || !complete) {
    r.code = static_cast<std::int32_t>(end + 1);
    return r;
  }
  if (!ConvertFloat(text.substr(start), r.value)) r = ValResult{0.0, static_cast<std::int32_t>(start + 1)};
  return r;
}

}  // namespace ox::scriptlib
