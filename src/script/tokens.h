// The lexical layer of the script language: token codes, preparation of source text
//, the tokeniser and the prepared token form.
//
// Prepared form: every token is the byte 0x7F, one byte holding the code plus 64, then its
// text, which runs to the next 0x7F or the end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ox::script {

enum Tok : int {
  tkEnd = 0, tkName = 1, tkLiteral = 2,
  tkTrue = 3, tkFalse, tkEq, tkOr, tkAnd, tkNot, tkXor, tkComma, tkColon,
  tkNe = 12, tkGt, tkLt, tkGe, tkLe, tkPlus, tkMinus, tkMul, tkDiv, tkPow,
  tkLParen = 22, tkRParen, tkLBracket, tkRBracket, tkSemicolon, tkSlashes, tkLBrace, tkRBrace,
  tkAssign = 30, tkBegin, tkEndKw, tkIf, tkThen, tkElse, tkFor, tkTo, tkDownto, tkDo,
  tkWhile = 40, tkRepeat, tkUntil, tkBreak, tkContinue, tkExit, tkGoto, tkShl, tkShr,
  tkProcedure = 49, tkFunction, tkUses, tkInclude, tkCase, tkOf, tkDotDot = 55,
};

constexpr char kTokenMark = '\x7F';

// The fixed text of a token code 3-55 ("" for 0-2).
const char* TokenText(int code);

// Removes comments ("//" and "{" to the end of the line, "}" always dropped) outside literals
// and upper-cases ASCII letters outside literals.
std::string PrepareSource(std::string_view source);
// Cuts prepared source into tokens and writes them in prepared form.
std::string Tokenize(std::string_view prepared);
// PrepareSource then Tokenize.
inline std::string TokenizeSource(std::string_view source) {
  return Tokenize(PrepareSource(source));
}

// One token read from prepared text.
struct Token {
  int code = tkEnd;
  std::string_view text;
  std::size_t next = 0;  // position after the token
};

// Reads the token at `pos` (0-based). Past the end or not at a mark: code 0, next = pos.
inline Token ReadToken(std::string_view s, std::size_t pos) {
  Token t;
  if (pos >= s.size() || s[pos] != kTokenMark || pos + 1 >= s.size()) {
    t.next = pos;
    return t;
  }
  t.code = static_cast<unsigned char>(s[pos + 1]) - 64;
  const std::size_t start = pos + 2;
  std::size_t end = s.find(kTokenMark, start);
  if (end == std::string_view::npos) end = s.size();
  t.text = s.substr(start, end - start);
  t.next = end;
  return t;
}
inline int PeekToken(std::string_view s, std::size_t pos) {
  if (pos + 1 >= s.size() || s[pos] != kTokenMark) return tkEnd;
  return static_cast<unsigned char>(s[pos + 1]) - 64;
}

// Appends one token in prepared form.
void AppendToken(std::string& out, int code, std::string_view text);
// Concatenates the token texts; with `spaces`, one blank after each token (message form).
std::string Detokenize(std::string_view prepared, bool spaces);
// Detokenize without spaces, leading and trailing blanks removed: an argument turned back
// into plain text, as by-reference arguments are recognised.
std::string PlainText(std::string_view prepared);

}  // namespace ox::script
