// The lexical layer: source preparation, the token table and its quirks, the prepared form.
#include <gtest/gtest.h>

#include "script/tokens.h"

namespace ox::script {
namespace {

struct Tk {
  int code;
  std::string text;
  bool operator==(const Tk& o) const { return code == o.code && text == o.text; }
};

std::ostream& operator<<(std::ostream& os, const Tk& t) {
  return os << "{" << t.code << ",'" << t.text << "'}";
}

std::vector<Tk> Toks(const std::string& source) {
  const std::string p = TokenizeSource(source);
  std::vector<Tk> out;
  std::size_t pos = 0;
  while (pos < p.size()) {
    Token t = ReadToken(p, pos);
    if (t.next == pos) break;
    out.push_back({t.code, std::string(t.text)});
    pos = t.next;
  }
  return out;
}

TEST(Lexer, PreparedFormOfTheSpecExample) {
  EXPECT_EQ(TokenizeSource("x:=1"), std::string("\x7F" "AX" "\x7F" "^:=" "\x7F" "B1"));
}

TEST(Lexer, FixedTokensAndNames) {
  EXPECT_EQ(Toks("a := b + 1"),
            (std::vector<Tk>{{tkName, "A"}, {tkAssign, ":="}, {tkName, "B"}, {tkPlus, "+"},
                             {tkLiteral, "1"}}));
  EXPECT_EQ(Toks("a<>b<=c>=d<e>f"),
            (std::vector<Tk>{{tkName, "A"}, {tkNe, "<>"}, {tkName, "B"}, {tkLe, "<="},
                             {tkName, "C"}, {tkGe, ">="}, {tkName, "D"}, {tkLt, "<"},
                             {tkName, "E"}, {tkGt, ">"}, {tkName, "F"}}));
}

TEST(Lexer, RangeNeedsABlankAfterDots) {
  EXPECT_EQ(Toks("1..5"), (std::vector<Tk>{{tkLiteral, "1"}, {tkName, "..5"}}));
  EXPECT_EQ(Toks("1 .. 5"),
            (std::vector<Tk>{{tkLiteral, "1"}, {tkDotDot, ".."}, {tkLiteral, "5"}}));
}

TEST(Lexer, WordsNeedAnEndOfIdentifier) {
  EXPECT_EQ(Toks("ORDER"), (std::vector<Tk>{{tkName, "ORDER"}}));
  EXPECT_EQ(Toks("A OR B"), (std::vector<Tk>{{tkName, "A"}, {tkOr, "OR"}, {tkName, "B"}}));
  EXPECT_EQ(Toks("ENDX"), (std::vector<Tk>{{tkName, "ENDX"}}));
  EXPECT_EQ(Toks("(OR)"),
            (std::vector<Tk>{{tkLParen, "("}, {tkOr, "OR"}, {tkRParen, ")"}}));
}

TEST(Lexer, DottedNamesHexAndCharNames) {
  EXPECT_EQ(Toks("A.B.C"), (std::vector<Tk>{{tkName, "A.B.C"}}));
  EXPECT_EQ(Toks("$FF"), (std::vector<Tk>{{tkName, "$FF"}}));
  EXPECT_EQ(Toks("#65"), (std::vector<Tk>{{tkName, "#65"}}));
  EXPECT_EQ(Toks("1E5"), (std::vector<Tk>{{tkLiteral, "1E5"}}));
  EXPECT_EQ(Toks(".X"), (std::vector<Tk>{{tkName, ".X"}}));
  EXPECT_EQ(Toks("1.5"), (std::vector<Tk>{{tkLiteral, "1.5"}}));
}

TEST(Lexer, Windows1251LettersAreIdentifierCharacters) {
  const std::string src = "\xC0\xE1\xE2 := \xA8\xB8";  // Cyrillic letters keep their case
  EXPECT_EQ(Toks(src), (std::vector<Tk>{{tkName, "\xC0\xE1\xE2"}, {tkAssign, ":="},
                                        {tkName, "\xA8\xB8"}}));
}

TEST(Lexer, StringLiteralsKeepCaseAndEndAtEitherQuote) {
  EXPECT_EQ(Toks("x := 'abc'"),
            (std::vector<Tk>{{tkName, "X"}, {tkAssign, ":="}, {tkLiteral, "'abc'"}}));
  EXPECT_EQ(Toks("'a\"b'"), (std::vector<Tk>{{tkLiteral, "'a\""}, {tkName, "B"}, {tkLiteral, "'"}}));
  EXPECT_EQ(Toks("'open to the end"), (std::vector<Tk>{{tkLiteral, "'open to the end"}}));
  EXPECT_EQ(Toks("\"Title\""), (std::vector<Tk>{{tkLiteral, "\"Title\""}}));
}

TEST(Lexer, CommentsAreRemovedOutsideLiterals) {
  EXPECT_EQ(PrepareSource("a := 1 // note\r\nb"), "A := 1 \r\nB");
  EXPECT_EQ(PrepareSource("a {note} b"), "A  B");
  EXPECT_EQ(PrepareSource("a {line\nb"), "A \nB");
  EXPECT_EQ(PrepareSource("a } b"), "A  B");
  EXPECT_EQ(PrepareSource("s := '//{x}' // c"), "S := '//{x}' ");
}

TEST(Lexer, OtherCharactersStartAToken) {
  EXPECT_EQ(Toks("@AB!"), (std::vector<Tk>{{tkName, "@AB"}, {tkName, "!"}}));
}

TEST(Lexer, LongestFixedTokenWins) {
  EXPECT_EQ(Toks("a:=b:c"), (std::vector<Tk>{{tkName, "A"}, {tkAssign, ":="}, {tkName, "B"},
                                             {tkColon, ":"}, {tkName, "C"}}));
  EXPECT_EQ(Toks("DOWNTO DO TO"),
            (std::vector<Tk>{{tkDownto, "DOWNTO"}, {tkDo, "DO"}, {tkTo, "TO"}}));
}

TEST(Lexer, DetokenizeForMessages) {
  const std::string p = TokenizeSource("x:=a+1");
  EXPECT_EQ(Detokenize(p, false), "X:=A+1");
  EXPECT_EQ(Detokenize(p, true), "X := A + 1 ");
  EXPECT_EQ(PlainText(TokenizeSource("  k ")), "K");
}

TEST(Lexer, TokenTextTable) {
  EXPECT_STREQ(TokenText(tkTrue), "TRUE");
  EXPECT_STREQ(TokenText(tkOf), "OF");
  EXPECT_STREQ(TokenText(tkDotDot), "..");
  EXPECT_STREQ(TokenText(tkShr), "SHR");
  EXPECT_STREQ(TokenText(tkAssign), ":=");
}

}  // namespace
}  // namespace ox::script
