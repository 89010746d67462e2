#include "script/tokens.h"

#include <cstring>

#include "script/var_list.h"

namespace ox::script {

namespace {

const char* const kTexts[56] = {
    "",       "",      "",         "TRUE",  "FALSE",     "=",        "OR",      "AND",
    "NOT",    "XOR",   ",",        ":",     "<>",        ">",        "<",       ">=",
    "<=",     "+",     "-",        "*",     "/",         "^",        "(",       ")",
    "[",      "]",     ";",        "//",    "{",         "}",        ":=",      "BEGIN",
    "END",    "IF",    "THEN",     "ELSE",  "FOR",       "TO",       "DOWNTO",  "DO",
    "WHILE",  "REPEAT", "UNTIL",   "BREAK", "CONTINUE",  "EXIT",     "GOTO",    "SHL",
    "SHR",    "PROCEDURE", "FUNCTION", "USES", "INCLUDE", "CASE",    "OF",      "..",
};

bool IsWhite(unsigned char c) { return c == 9 || c == 10 || c == 13 || c == 32; }
bool IsQuote(unsigned char c) { return c == '"' || c == '\''; }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

struct Fixed {
  const char* text;
  std::size_t len;
  bool word;  // consists of identifier characters only
};

struct FixedTable {
  Fixed items[56];
  FixedTable() {
    for (int c = 3; c < 56; ++c) {
      items[c].text = kTexts[c];
      items[c].len = std::strlen(kTexts[c]);
      bool word = true;
      for (std::size_t i = 0; i < items[c].len; ++i)
        if (!IsIdentChar(static_cast<unsigned char>(kTexts[c][i]))) word = false;
      items[c].word = word;
    }
  }
};

const FixedTable& Table() {
  static const FixedTable t;
  return t;
}

}  // namespace

const char* TokenText(int code) { return code >= 0 && code < 56 ? kTexts[code] : ""; }

std::string PrepareSource(std::string_view src) {
  std::string out;
  out.reserve(src.size());
  bool inLiteral = false;
  bool inComment = false;
  for (std::size_t i = 0; i < src.size(); ++i) {
    const auto c = static_cast<unsigned char>(src[i]);
    if (inComment) {
      if (c == '\r' || c == '\n') {
        inComment = false;
        out.push_back(static_cast<char>(c));
      } else if (c == '}') {
        inComment = false;
      }
      continue;
    }
    if (inLiteral) {
      if (IsQuote(c)) inLiteral = false;
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (IsQuote(c)) {
      inLiteral = true;
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (c == '{' || (c == '/' && i + 1 < src.size() && src[i + 1] == '/')) {
      inComment = true;
      continue;
    }
    if (c == '}') continue;
    out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : static_cast<char>(c));
  }
  return out;
}

void AppendToken(std::string& out, int code, std::string_view text) {
  out.push_back(kTokenMark);
  out.push_back(static_cast<char>(code + 64));
  out.append(text);
}

std::string Tokenize(std::string_view s) {
  const FixedTable& table = Table();
  std::string out;
  out.reserve(s.size() * 2 + 8);
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (true) {
    while (i < n && IsWhite(static_cast<unsigned char>(s[i]))) ++i;
    if (i >= n) break;
    // Fixed tokens: the longest acceptable candidate, the lower code on a tie.
    int best = 0;
    std::size_t bestLen = 0;
    for (int c = 3; c < 56; ++c) {
      const Fixed& f = table.items[c];
      if (f.len <= bestLen || i + f.len > n) continue;
      if (std::memcmp(s.data() + i, f.text, f.len) != 0) continue;
      if (f.word && i + f.len < n && IsIdentChar(static_cast<unsigned char>(s[i + f.len])))
        continue;
      best = c;
      bestLen = f.len;
    }
    if (best) {
      AppendToken(out, best, s.substr(i, bestLen));
      i += bestLen;
      continue;
    }
    const auto c0 = static_cast<unsigned char>(s[i]);
    if (IsQuote(c0)) {
      std::size_t j = i + 1;
      while (j < n && !IsQuote(static_cast<unsigned char>(s[j]))) ++j;
      if (j < n) ++j;
      AppendToken(out, tkLiteral, s.substr(i, j - i));
      i = j;
      continue;
    }
    std::size_t j = i + 1;
    while (j < n && IsIdentChar(static_cast<unsigned char>(s[j]))) ++j;
    std::string_view tok = s.substr(i, j - i);
    if (IsDigit(c0)) {
      const std::size_t dd = tok.find("..");
      if (dd != std::string_view::npos) tok = tok.substr(0, dd);
    }
    AppendToken(out, IsDigit(c0) ? tkLiteral : tkName, tok);
    i += tok.size();
  }
  return out;
}

std::string Detokenize(std::string_view s, bool spaces) {
  std::string out;
  std::size_t pos = 0;
  while (pos < s.size() && s[pos] == kTokenMark) {
    Token t = ReadToken(s, pos);
    if (t.next == pos) break;
    out.append(t.text);
    if (spaces) out.push_back(' ');
    pos = t.next;
  }
  return out;
}

std::string PlainText(std::string_view s) {
  std::string out = Detokenize(s, false);
  std::size_t a = 0, b = out.size();
  while (a < b && static_cast<unsigned char>(out[a]) <= 32) ++a;
  while (b > a && static_cast<unsigned char>(out[b - 1]) <= 32) --b;
  return out.substr(a, b - a);
}

}  // namespace ox::script
