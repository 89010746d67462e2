#include "platform/text/case1251.h"

#include <algorithm>

namespace ox::platform {

std::string UpperCase1251(std::string s) {
  for (char& c : s) c = static_cast<char>(UpperChar1251(static_cast<unsigned char>(c)));
  return s;
}

std::u16string UpperCase1251(std::u16string s) {
  for (char16_t& u : s) u = UpperUnit1251(u);
  return s;
}

std::string LowerCase1251(std::string s) {
  for (char& c : s) c = static_cast<char>(LowerChar1251(static_cast<unsigned char>(c)));
  return s;
}

std::string UpperAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

std::string LowerAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

bool EqualNoCase1251(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperChar1251(static_cast<unsigned char>(x)) ==
                  UpperChar1251(static_cast<unsigned char>(y));
         });
}

}  // namespace ox::platform
