#include "scriptlib/format.h"

#include <cmath>
#include <optional>

#include "platform/core/checked.h"
#include "script/convert.h"
#include "script/script_error.h"
#include "scriptlib/decimal_text.h"

namespace ox::scriptlib {

namespace {

constexpr int kMaxWidth = 65536;

using Type = FormatArgument::Type;

struct Specifier {
  bool leftAlign = false;
  int width = 0;
  std::optional<int> precision;
  char letter = 0;  // lower case
};

[[noreturn]] void Refuse(std::string_view specifier) {
  throw script::ScriptError("Format '" + std::string(specifier) + "' invalid or incompatible with argument");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Reads a decimal number at `pos`; nullopt when there is none, Refuse when it is too large.
std::optional<int> ReadNumber(std::string_view format, std::size_t& pos, std::string_view specifier) {
  if (pos >= format.size() || !IsDigit(format[pos])) return std::nullopt;
  int n = 0;
  while (pos < format.size() && IsDigit(format[pos])) {
    n = n * 10 + (format[pos++] - '0');
    if (n > kMaxWidth) Refuse(specifier);
  }
  return n;
}

// Parses the specifier that starts after the "%" at `pos`; `pos` ends after its letter.
Specifier ParseSpecifier(std::string_view format, std::size_t& pos) {
  const std::size_t start = pos - 1;
  auto specifier = [&] { return format.substr(start, pos - start + 1); };
  Specifier s;
  const std::size_t save = pos;
  if (auto index = ReadNumber(format, pos, specifier()); index && pos < format.size() && format[pos] == ':') {
    if (*index != 0) Refuse(specifier());
    ++pos;
  } else {
    pos = save;
  }
  if (pos < format.size() && format[pos] == '-') {
    s.leftAlign = true;
    ++pos;
  }
  if (pos < format.size() && format[pos] == '*') Refuse(specifier());
  s.width = ReadNumber(format, pos, specifier()).value_or(0);
  if (pos < format.size() && format[pos] == '.') {
    ++pos;
    if (pos < format.size() && format[pos] == '*') Refuse(specifier());
    s.precision = ReadNumber(format, pos, specifier()).value_or(0);
  }
  if (pos >= format.size() || !IsLetter(format[pos])) Refuse(format.substr(start, pos - start));
  s.letter = static_cast<char>(format[pos] | 0x20);
  ++pos;
  return s;
}

std::string WithMinimumDigits(std::string digits, const std::optional<int>& precision) {
  if (precision && static_cast<int>(digits.size()) < *precision)
    digits.insert(0, static_cast<std::size_t>(*precision) - digits.size(), '0');
  return digits;
}

std::string Hex(std::uint64_t v) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[v & 15]);
    v >>= 4;
  } while (v != 0);
  return out;
}

// The argument as an unsigned value of its own width: 32 bits for Int32, 64 for Int64.
std::uint64_t AsUnsigned(const FormatArgument& a) {
  if (a.type == Type::Int32) return static_cast<std::uint32_t>(static_cast<std::int32_t>(a.integer));
  return static_cast<std::uint64_t>(a.integer);
}

bool IsInteger(const FormatArgument& a) { return a.type == Type::Int32 || a.type == Type::Int64; }

std::string IntegerText(const Specifier& s, const FormatArgument& a) {
  if (s.letter == 'd') {
    const bool negative = a.integer < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(a.integer)
                                             : static_cast<std::uint64_t>(a.integer);
    return (negative ? "-" : "") + WithMinimumDigits(std::to_string(magnitude), s.precision);
  }
  if (s.letter == 'u') return WithMinimumDigits(std::to_string(AsUnsigned(a)), s.precision);
  return WithMinimumDigits(Hex(AsUnsigned(a)), s.precision);
}

std::string FloatText(const Specifier& s, double v) {
  switch (s.letter) {
    case 'e': return ExponentText(v, s.precision.value_or(15));
    case 'f': return FixedText(v, s.precision.value_or(2));
    case 'g': return GeneralText(v, s.precision.value_or(15));
    case 'n': return FixedText(v, s.precision.value_or(2), true);
    default: {
      const std::string number = FixedText(std::fabs(v), s.precision.value_or(2), true);
      const bool negative = v < 0 && number.find_first_not_of("0.,") != std::string::npos;
      return (negative ? "-$" : "$") + number;
    }
  }
}

std::string StringText(const Specifier& s, const FormatArgument& a) {
  std::string text = a.type == Type::String ? a.text
                     : a.type == Type::Float ? script::FloatToText(a.number)
                                             : std::to_string(a.integer);
  if (s.precision && static_cast<int>(text.size()) > *s.precision) text.resize(static_cast<std::size_t>(*s.precision));
  return text;
}

// The converted text of one specifier, or nullopt when the argument does not suit it.
std::optional<std::string> Convert(const Specifier& s, const FormatArgument& a) {
  switch (s.letter) {
    case 'd': case 'u': case 'x':
      if (!IsInteger(a)) return std::nullopt;
      return IntegerText(s, a);
    case 'p':
      if (!IsInteger(a) || (a.type == Type::Int64 && (a.integer < 0 || a.integer > 0xFFFFFFFFLL))) return std::nullopt;
      return WithMinimumDigits(Hex(AsUnsigned(a)), 8);
    case 'e': case 'f': case 'g': case 'n': case 'm':
      if (a.type == Type::String) return std::nullopt;
      return FloatText(s, a.type == Type::Float ? a.number : static_cast<double>(a.integer));
    case 's':
      return StringText(s, a);
    default:
      return std::nullopt;
  }
}

std::string Padded(std::string text, const Specifier& s) {
  if (static_cast<int>(text.size()) >= s.width) return text;
  const std::string pad(static_cast<std::size_t>(s.width) - text.size(), ' ');
  return s.leftAlign ? text + pad : pad + text;
}

// The retry's argument: a float cut toward zero, RangeError outside 64 bits.
std::int64_t TruncatedInt64(const FormatArgument& a) {
  if (a.type != Type::Float) return a.integer;
  const double t = std::trunc(a.number);
  if (!(t >= -9223372036854775808.0 && t < 9223372036854775808.0)) throw RangeError("Range check error");
  return static_cast<std::int64_t>(t);
}

}  // namespace

std::string FormatWithArgument(std::string_view format, const FormatArgument& argument) {
  std::string out;
  bool used = false;
  std::size_t pos = 0;
  while (pos < format.size()) {
    const char c = format[pos++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (pos < format.size() && format[pos] == '%') {
      out += '%';
      ++pos;
      continue;
    }
    const std::size_t start = pos - 1;
    const Specifier s = ParseSpecifier(format, pos);
    const auto text = used ? std::nullopt : Convert(s, argument);
    if (!text) Refuse(format.substr(start, pos - start));
    used = true;
    out += Padded(*text, s);
  }
  return out;
}

std::string FormatScript(std::string_view format, const std::vector<FormatArgument>& arguments) {
  std::string out;
  std::size_t next = 0;
  std::size_t pos = 0;
  while (pos < format.size()) {
    if (format[pos] != '%') {
      out += format[pos++];
      continue;
    }
    std::size_t end = pos + 1;
    while (end < format.size() && !IsLetter(format[end])) ++end;
    if (end >= format.size()) {
      out += format.substr(pos);
      break;
    }
    const std::string_view specifier = format.substr(pos, end - pos + 1);
    pos = end + 1;
    if (next >= arguments.size()) continue;
    const FormatArgument& arg = arguments[next++];
    try {
      out += FormatWithArgument(specifier, arg);
    } catch (const script::ScriptError&) {
      if (arg.type == Type::String) throw;
      out += FormatWithArgument(specifier, FormatArgument::Int64(TruncatedInt64(arg)));
    }
  }
  return out;
}

}  // namespace ox::scriptlib
