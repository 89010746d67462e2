#include "scriptlib/text_functions.h"

#include <atomic>

namespace ox::scriptlib {

namespace {

std::atomic<bool> gUnicodeMode{false};

// Bytes that the character starting at `pos` takes: three for a unicode triple, else one.
std::size_t CharWidth(std::string_view s, std::size_t pos, bool unicode) {
  return unicode && static_cast<unsigned char>(s[pos]) == 0x01 && s.size() - pos >= 3 ? 3 : 1;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::string CopyText(std::string_view s, std::int32_t from, std::int32_t count) {
  const std::int64_t start = from < 1 ? 0 : std::int64_t{from} - 1;
  if (start >= static_cast<std::int64_t>(s.size()) || count < 1) return {};
  return std::string(s.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count)));
}

std::int32_t PositionOf(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  const std::size_t at = s.find(sub);
  return at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

std::string InsertText(std::string_view sub, std::string_view s, std::int32_t pos) {
  const std::int64_t at = pos < 1 ? 0 : std::int64_t{pos} - 1;
  const std::size_t cut = at > static_cast<std::int64_t>(s.size()) ? s.size() : static_cast<std::size_t>(at);
  std::string out(s.substr(0, cut));
  out += sub;
  out += s.substr(cut);
  return out;
}

std::string DeleteText(std::string_view s, std::int32_t from, std::int32_t count) {
  if (from < 1 || static_cast<std::size_t>(from) > s.size() || count < 1) return std::string(s);
  std::string out(s);
  out.erase(static_cast<std::size_t>(from) - 1, static_cast<std::size_t>(count));
  return out;
}

std::string TrimLeftText(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return std::string(s.substr(i));
}

std::string TrimRightText(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return std::string(s.substr(0, n));
}

std::string TrimText(std::string_view s) { return TrimLeftText(TrimRightText(s)); }

void SetUnicodeMode(bool on) { gUnicodeMode = on; }
bool UnicodeMode() { return gUnicodeMode; }

std::int32_t TextLength(std::string_view s, bool unicode) {
  std::int32_t count = 0;
  for (std::size_t pos = 0; pos < s.size(); pos += CharWidth(s, pos, unicode)) ++count;
  return count;
}

std::string WithoutLastChar(std::string_view s, bool unicode) {
  std::size_t last = 0;
  for (std::size_t pos = 0; pos < s.size(); pos += CharWidth(s, pos, unicode)) last = pos;
  return std::string(s.substr(0, last));
}

}  // namespace ox::scriptlib
