#include "script/convert.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ox::script {

namespace {

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && static_cast<unsigned char>(t.front()) <= 32) t.remove_prefix(1);
  while (!t.empty() && static_cast<unsigned char>(t.back()) <= 32) t.remove_suffix(1);
  return t;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Parses "[sign]$hex"; false when the text is not of that form or exceeds 32 bits.
bool ParseHex(std::string_view t, std::int32_t& out) {
  bool neg = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    neg = t[0] == '-';
    t.remove_prefix(1);
  }
  if (t.size() < 2 || t[0] != '$') return false;
  t.remove_prefix(1);
  std::uint64_t v = 0;
  for (char c : t) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    v = v * 16 + static_cast<std::uint64_t>(d);
    if (v > 0xFFFFFFFFull) return false;
  }
  auto bits = static_cast<std::uint32_t>(v);
  if (neg) bits = 0u - bits;
  out = static_cast<std::int32_t>(bits);
  return true;
}

// Decimal number syntax: [sign] digits [. digits] [e [sign] digits], at least one mantissa
// digit. `integral` tells whether neither fraction nor exponent was present.
bool ParseDecimal(std::string_view t, double& out, bool& integral) {
  std::size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    neg = t[i] == '-';
    ++i;
  }
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  integral = true;
  if (i < t.size() && t[i] == '.') {
    integral = false;
    ++i;
    while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    integral = false;
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t ed = 0;
    while (i < t.size() && IsDigit(t[i])) ++i, ++ed;
    if (ed == 0) return false;
  }
  if (i != t.size()) return false;
  std::string body(t.substr(start));
  if (!body.empty() && body[0] == '.') body.insert(body.begin(), '0');
  if (!body.empty() && body.back() == '.') body.push_back('0');
  double v = 0;
  const char* last = body.data() + body.size();
  auto res = std::from_chars(body.data(), last, v, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != last) return false;
  if (!std::isfinite(v)) return false;
  out = neg ? -v : v;
  return true;
}

bool RoundedInt64(double v, std::int64_t& out) {
  if (!std::isfinite(v)) return false;
  const double r = std::nearbyint(v);
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) return false;
  out = static_cast<std::int64_t>(r);
  return true;
}

}  // namespace

bool TextToInt32(std::string_view text, std::int32_t& out) {
  std::string_view t = TrimBlanks(text);
  if (ParseHex(t, out)) return true;
  std::size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    neg = t[i] == '-';
    ++i;
  }
  if (i == t.size()) return false;
  std::int64_t v = 0;
  for (; i < t.size(); ++i) {
    if (!IsDigit(t[i])) return false;
    v = v * 10 + (t[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (neg) v = -v;
  if (v > 2147483647LL) return false;
  out = static_cast<std::int32_t>(v);
  return true;
}

bool TextToNumber(std::string_view text, Value& out) {
  std::string_view t = TrimBlanks(text);
  std::int32_t iv = 0;
  if (ParseHex(t, iv)) {
    out = Value::Int32(iv);
    return true;
  }
  double d = 0;
  bool integral = false;
  if (!ParseDecimal(t, d, integral)) return false;
  if (integral && d >= -2147483648.0 && d <= 2147483647.0) {
    out = Value::Int32(static_cast<std::int32_t>(d));
  } else {
    out = Value::Float(d);
  }
  return true;
}

bool TextToFloat(std::string_view text, double& out) {
  Value v;
  if (!TextToNumber(text, v)) return false;
  out = v.kind == Kind::Int32 ? static_cast<double>(v.i) : v.f;
  return true;
}

bool ParseNumberLiteral(std::string_view text, Value& out) {
  std::string_view t = TrimBlanks(text);
  if (t.empty()) return false;
  int dots = 0, commas = 0;
  char last = 0;
  bool allDigits = true;
  for (char c : t) {
    if (IsDigit(c)) continue;
    allDigits = false;
    if (c == '.') ++dots, last = c;
    else if (c == ',') ++commas, last = c;
    else if (c != '+' && c != '-') return false;
  }
  if (allDigits && t.size() <= 9) {  // the common case: a small integer literal
    std::int32_t v = 0;
    for (char c : t) v = v * 10 + (c - '0');
    out = Value::Int32(v);
    return true;
  }
  std::string s;
  s.reserve(t.size());
  if (last == '.' && dots == 1) {
    for (char c : t)
      if (c != ',') s.push_back(c);
  } else if (last == ',' && commas == 1) {
    for (char c : t) {
      if (c == '.') continue;
      s.push_back(c == ',' ? '.' : c);
    }
  } else {
    s.assign(t);
  }
  double d = 0;
  bool integral = false;
  for (char c : s)
    if (c == ',') return false;
  if (!ParseDecimal(s, d, integral)) return false;
  const bool hasDot = s.find('.') != std::string::npos;
  if (hasDot || !(d > -2147483647.0 && d < 2147483647.0)) {
    out = Value::Float(d);
  } else {
    const double mag = std::floor(std::fabs(d) + 0.000000001);
    out = Value::Int32(static_cast<std::int32_t>(d < 0 ? -mag : mag));
  }
  return true;
}

OperandClass ClassOf(Kind k) {
  switch (k) {
    case Kind::Empty: return OperandClass::E;
    case Kind::UInt8:
    case Kind::Int8:
    case Kind::Int32: return OperandClass::I;
    case Kind::UInt16:
    case Kind::UInt32:
    case Kind::Int64: return OperandClass::L;
    case Kind::Float: return OperandClass::F;
    case Kind::String: return OperandClass::S;
    case Kind::Bool: return OperandClass::B;
    case Kind::Date: return OperandClass::D;
  }
  return OperandClass::E;
}

// The 64-bit reading narrowed: every kind reads the same way, only the range is smaller.
bool ToInt32(const Value& v, std::int32_t& out) {
  std::int64_t wide = 0;
  if (!ToInt64(v, wide) || wide < std::numeric_limits<std::int32_t>::min() ||
      wide > std::numeric_limits<std::int32_t>::max())
    return false;
  out = static_cast<std::int32_t>(wide);
  return true;
}

bool ToInt64(const Value& v, std::int64_t& out) {
  switch (v.kind) {
    case Kind::Empty: out = 0; return true;
    case Kind::UInt8:
    case Kind::Int8:
    case Kind::UInt16:
    case Kind::Int32:
    case Kind::UInt32:
    case Kind::Int64: out = v.i; return true;
    case Kind::Bool: out = v.i ? -1 : 0; return true;
    case Kind::Float:
    case Kind::Date: return RoundedInt64(v.f, out);
    case Kind::String: {
      Value n;
      if (!TextToNumber(v.s, n)) return false;
      if (n.kind == Kind::Int32) {
        out = n.i;
        return true;
      }
      return RoundedInt64(n.f, out);
    }
  }
  return false;
}

bool ToFloat(const Value& v, double& out) {
  switch (v.kind) {
    case Kind::Empty: out = 0; return true;
    case Kind::UInt8:
    case Kind::Int8:
    case Kind::UInt16:
    case Kind::Int32:
    case Kind::UInt32:
    case Kind::Int64: out = static_cast<double>(v.i); return true;
    case Kind::Bool: out = v.i ? -1.0 : 0.0; return true;
    case Kind::Float:
    case Kind::Date: out = v.f; return true;
    case Kind::String: return TextToFloat(v.s, out);
  }
  return false;
}

bool ToBool(const Value& v, bool& out) {
  switch (v.kind) {
    case Kind::Empty: out = false; return true;
    case Kind::UInt8:
    case Kind::Int8:
    case Kind::UInt16:
    case Kind::Int32:
    case Kind::UInt32:
    case Kind::Int64:
    case Kind::Bool: out = v.i != 0; return true;
    case Kind::Float:
    case Kind::Date: out = v.f != 0.0; return true;
    case Kind::String: {
      std::string_view t = TrimBlanks(v.s);
      std::string up(t);
      for (char& c : up)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
      if (up == "TRUE") return out = true, true;
      if (up == "FALSE") return out = false, true;
      double d = 0;
      if (!TextToFloat(t, d)) return false;
      out = d != 0.0;
      return true;
    }
  }
  return false;
}

std::string FloatToText(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == 0) return "0";
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.14e", v);
  std::string_view s(buf);
  std::string out;
  if (s[0] == '-') {
    out.push_back('-');
    s.remove_prefix(1);
  }
  std::string digits;
  std::size_t i = 0;
  for (; i < s.size() && s[i] != 'e'; ++i)
    if (IsDigit(s[i])) digits.push_back(s[i]);
  int e = 0;
  if (i < s.size()) e = std::atoi(buf + (s.data() - buf) + i + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exp = e + 1;  // value = 0.d1d2... * 10^exp
  if (exp > 15 || exp < -3) {
    out.push_back(digits[0]);
    if (digits.size() > 1) {
      out.push_back('.');
      out.append(digits, 1);
    }
    out.push_back('E');
    if (e < 0) out.push_back('-');
    out += std::to_string(e < 0 ? -e : e);
  } else if (exp <= 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exp), '0');
    out += digits;
  } else {
    const auto ip = static_cast<std::size_t>(exp);
    if (digits.size() <= ip) {
      out += digits;
      out.append(ip - digits.size(), '0');
    } else {
      out.append(digits, 0, ip);
      out.push_back('.');
      out.append(digits, ip);
    }
  }
  return out;
}

void DecodeDateParts(double dateTime, int& year, int& month, int& day) {
  const double t = std::trunc(dateTime);
  long long z = static_cast<long long>(t) - 25569 + 719468;  // days since 0000-03-01
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

double EncodeDateParts(int year, int month, int day) {
  long long y = year - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long mp = month > 2 ? month - 3 : month + 9;
  const long long doy = (153 * mp + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<double>(era * 146097 + doe - 719468 + 25569);
}

std::string DateTimeToText(double v) {
  if (!std::isfinite(v) || v < -693593.0 || v >= 2958466.0) return FloatToText(v);
  int y = 0, m = 0, d = 0;
  DecodeDateParts(v, y, m, d);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
  std::string out(buf);
  const double frac = std::fabs(v - std::trunc(v));
  long long ms = std::llround(frac * 86400000.0);
  if (ms >= 86400000) ms = 86399999;
  if (ms != 0) {
    const long long secs = ms / 1000;
    std::snprintf(buf, sizeof buf, " %lld:%02lld:%02lld", secs / 3600, (secs / 60) % 60, secs % 60);
    out += buf;
  }
  return out;
}

bool ToString(const Value& v, std::string& out) {
  switch (v.kind) {
    case Kind::Empty: out.clear(); return true;
    case Kind::UInt8:
    case Kind::Int8:
    case Kind::UInt16:
    case Kind::Int32:
    case Kind::UInt32:
    case Kind::Int64: out = std::to_string(v.i); return true;
    case Kind::Bool: out = v.i ? "True" : "False"; return true;
    case Kind::Float: out = FloatToText(v.f); return true;
    case Kind::Date: out = DateTimeToText(v.f); return true;
    case Kind::String: out = v.s; return true;
  }
  return false;
}

std::string ToString(const Value& v) {
  std::string s;
  ToString(v, s);
  return s;
}

}  // namespace ox::script
