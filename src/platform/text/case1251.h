// Letter case of the games' 8-bit text: ASCII letters and the Cyrillic letters of
// Windows-1251 (А-Я/а-я, Ё/ё and the Ukrainian, Belarusian, Serbian and Macedonian letters).
// Comparisons of names "without regard to case" go through these tables, so the interpreter,
// the scene and the file resolver agree on what a letter is. Picture, sound and archive record
// names fold ASCII letters only (UpperAscii, LowerAscii): a record stored under a Cyrillic name
// is found by that name as written.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ox::platform {

namespace case1251_detail {

struct CaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
};

consteval CaseTables BuildCaseTables() {
  CaseTables t;
  for (int c = 0; c < 256; ++c) {
    t.upper[c] = static_cast<unsigned char>(c);
    t.lower[c] = static_cast<unsigned char>(c);
  }
  // Pairs of (upper, lower) letters outside the two contiguous runs.
  constexpr unsigned char kPairs[][2] = {
      {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E},
      {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
      {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
  auto pair = [&t](int up, int low) {
    t.upper[low] = static_cast<unsigned char>(up);
    t.lower[up] = static_cast<unsigned char>(low);
  };
  for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
  for (int c = 0xC0; c <= 0xDF; ++c) pair(c, c + 32);
  for (const auto& p : kPairs) pair(p[0], p[1]);
  return t;
}

inline constexpr CaseTables kCaseTables = BuildCaseTables();

}  // namespace case1251_detail

inline unsigned char UpperChar1251(unsigned char c) { return case1251_detail::kCaseTables.upper[c]; }
inline unsigned char LowerChar1251(unsigned char c) { return case1251_detail::kCaseTables.lower[c]; }

// The same letters as UTF-16 code units: ASCII, U+0400-U+045F and Ґ/ґ (U+0490/U+0491).
inline char16_t UpperUnit1251(char16_t u) {
  if (u >= u'a' && u <= u'z') return static_cast<char16_t>(u - 32);
  if (u >= 0x0430 && u <= 0x044F) return static_cast<char16_t>(u - 0x20);
  if (u >= 0x0450 && u <= 0x045F) return static_cast<char16_t>(u - 0x50);
  if (u == 0x0491) return 0x0490;
  return u;
}

std::string UpperCase1251(std::string s);
std::u16string UpperCase1251(std::u16string s);
std::string LowerCase1251(std::string s);

std::string UpperAscii(std::string s);
std::string LowerAscii(std::string s);

// True when a and b are the same text once both are upper-cased.
bool EqualNoCase1251(std::string_view a, std::string_view b);

}  // namespace ox::platform
