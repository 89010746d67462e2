#include "platform/text/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>
#include <vector>

namespace ox::platform {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

// One open conversion descriptor, kept for the life of the thread.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts in, skipping `unit` bytes and emitting `bad` for input iconv rejects.
  std::string Run(std::string_view in, std::size_t unit, std::string_view bad) const {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::array<char, 1024> buffer;
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
      char* dst = buffer.data();
      std::size_t room = buffer.size();
      const std::size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.append(buffer.data(), dst);
      if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      out.append(bad);
      const std::size_t skip = std::min(unit, left);
      src += skip;
      left -= skip;
    }
    return out;
  }

 private:
  iconv_t cd_;
};

std::string BytesOf(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t u : text) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

std::u16string UnitsOf(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
  return text;
}

// The upper half of Windows-1251, taken from iconv once; the lower half is ASCII.
struct Cp1251Table {
  std::array<char16_t, 128> toUnit{};
  std::vector<std::pair<char16_t, unsigned char>> fromUnit;  // sorted by unit

  Cp1251Table() {
    Converter decode("UTF-16LE", "CP1251");
    for (int b = 0x80; b < 0x100; ++b) {
      const char byte = static_cast<char>(b);
      const std::u16string unit = UnitsOf(decode.Run(std::string_view(&byte, 1), 1, ""));
      toUnit[b - 0x80] = unit.size() == 1 ? unit[0] : static_cast<char16_t>(b);
      fromUnit.emplace_back(toUnit[b - 0x80], static_cast<unsigned char>(b));
    }
    std::sort(fromUnit.begin(), fromUnit.end());
  }
};

const Cp1251Table& Table1251() {
  static const Cp1251Table table;
  return table;
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::u16string Utf16FromCp1251(std::string_view text) {
  const Cp1251Table& table = Table1251();
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    out += b < 0x80 ? static_cast<char16_t>(b) : table.toUnit[b - 0x80];
  }
  return out;
}

std::string Cp1251FromUtf16(std::u16string_view text) {
  const Cp1251Table& table = Table1251();
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u < 0x80) {
      out += static_cast<char>(u);
      continue;
    }
    const auto it = std::lower_bound(table.fromUnit.begin(), table.fromUnit.end(),
                                     std::pair<char16_t, unsigned char>(u, 0));
    if (it != table.fromUnit.end() && it->first == u) {
      out += static_cast<char>(it->second);
    } else {
      out += '?';
      if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    }
  }
  return out;
}

std::string Utf8FromCp1251(std::string_view text) { return Utf8FromUtf16(Utf16FromCp1251(text)); }

std::string Cp1251FromUtf8(std::string_view text) { return Cp1251FromUtf16(Utf16FromUtf8(text)); }

std::string Utf8FromUtf16(std::u16string_view text) {
  thread_local const Converter encode("UTF-8", "UTF-16LE");
  return encode.Run(BytesOf(text), 2, "\xEF\xBF\xBD");
}

std::u16string Utf16FromUtf8(std::string_view text) {
  thread_local const Converter decode("UTF-16LE", "UTF-8");
  const std::u16string bad(1, kReplacement);
  return UnitsOf(decode.Run(text, 1, BytesOf(bad)));
}

std::string EngineUnicodeFromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t u : text) {
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else {
      out += '\x01';
      out += static_cast<char>(u & 0xFF);
      out += static_cast<char>(u >> 8);
    }
  }
  return out;
}

std::u16string Utf16FromEngineUnicode(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == 0x01 && i + 2 < text.size()) {
      out += static_cast<char16_t>(static_cast<unsigned char>(text[i + 1]) |
                                   (static_cast<unsigned char>(text[i + 2]) << 8));
      i += 2;
    } else {
      out += static_cast<char16_t>(b);
    }
  }
  return out;
}

}  // namespace ox::platform
