#include "scriptlib/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace ox::scriptlib {

namespace {

// A finite value as 0.DIGITS x 10^exponent; `digits` has no leading or trailing zeros and is
// empty for zero.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// The exact decimal expansion of a double (at most 767 significant digits).
Decimal ExactDecimal(double v) {
  Decimal d;
  d.negative = std::signbit(v);
  if (v == 0.0) return d;
  char buf[800];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 770);
  const std::string text(buf, res.ptr);
  const auto e = text.find('e');
  d.digits = text.substr(0, 1) + text.substr(2, e - 2);
  d.exponent = std::atoi(text.c_str() + e + 1) + 1;
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  return d;
}

// Keeps the first `keep` digits, rounding half away from zero (the digits are exact, so a
// first dropped digit of 5 or more means at least half).
void RoundDigits(Decimal& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') --i;
    if (i < 0) {
      d.digits = "1";
      ++d.exponent;
    } else {
      d.digits.resize(static_cast<std::size_t>(i) + 1);
      ++d.digits[static_cast<std::size_t>(i)];
    }
  }
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  if (d.digits.empty()) d.exponent = 0;
}

// The digit at position i of 0.DIGITS (0-based), '0' outside the stored digits.
char DigitAt(const Decimal& d, long i) {
  return i >= 0 && i < static_cast<long>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
}

std::string NonFiniteText(double v) {
  if (std::isnan(v)) return "Nan";
  return v < 0 ? "-Inf" : "+Inf";
}

std::string GroupThousands(const std::string& integer) {
  std::string out;
  const std::size_t n = integer.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += integer[i];
  }
  return out;
}

std::string ExponentSuffix(int exponent, bool padded) {
  std::string digits = std::to_string(std::abs(exponent));
  if (padded) {
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return (exponent < 0 ? "E-" : "E+") + digits;
  }
  return (exponent < 0 ? "E-" : "E") + digits;
}

}  // namespace

std::string FixedText(double v, int decimals, bool thousands) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  decimals = std::clamp(decimals, 0, 18);
  Decimal d = ExactDecimal(v);
  RoundDigits(d, d.exponent + decimals);
  std::string integer;
  for (long i = 0; i < d.exponent; ++i) integer += DigitAt(d, i);
  if (integer.empty()) integer = "0";
  std::string out = (d.negative && !d.digits.empty()) ? "-" : "";
  out += thousands ? GroupThousands(integer) : integer;
  if (decimals > 0) {
    out += '.';
    for (long i = 0; i < decimals; ++i) out += DigitAt(d, d.exponent + i);
  }
  return out;
}

std::string ExponentText(double v, int precision) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  precision = std::clamp(precision, 2, 17);
  Decimal d = ExactDecimal(v);
  RoundDigits(d, precision);
  std::string out = (d.negative && !d.digits.empty()) ? "-" : "";
  out += DigitAt(d, 0);
  out += '.';
  for (long i = 1; i < precision; ++i) out += DigitAt(d, i);
  return out + ExponentSuffix(d.digits.empty() ? 0 : d.exponent - 1, true);
}

std::string GeneralText(double v, int precision) {
  if (!std::isfinite(v)) return NonFiniteText(v);
  precision = std::clamp(precision, 2, 17);
  Decimal d = ExactDecimal(v);
  RoundDigits(d, precision);
  if (d.digits.empty()) return "0";
  std::string out = d.negative ? "-" : "";
  const long count = static_cast<long>(d.digits.size());
  if (d.exponent > precision || d.exponent < -4) {
    out += d.digits[0];
    if (count > 1) out += '.' + d.digits.substr(1);
    return out + ExponentSuffix(d.exponent - 1, false);
  }
  if (d.exponent <= 0) return out + "0." + std::string(static_cast<std::size_t>(-d.exponent), '0') + d.digits;
  for (long i = 0; i < d.exponent; ++i) out += DigitAt(d, i);
  if (count > d.exponent) out += '.' + d.digits.substr(static_cast<std::size_t>(d.exponent));
  return out;
}

}  // namespace ox::scriptlib
