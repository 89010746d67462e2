#include <gtest/gtest.h>

#include "oxf/text_form.h"

namespace ox::oxf {
namespace {

std::string Errors(std::string_view source) {
  std::string out;
  for (const auto& e : ReadSource(source).errors) out += std::to_string(e.line) + ": " + e.message + "\n";
  return out;
}

TEST(Check, ReportsEachKindOfErrorWithItsLine) {
  EXPECT_EQ(Errors("TOxDB {\n  TOxScren {\n    Id = \"a\"\n  }\n}\n"), "2: unknown element class \"TOxScren\"\n");
  EXPECT_EQ(Errors("TOxDB {\n  Idd = \"a\"\n}\n"), "2: TOxDB has no property \"Idd\"\n");
  EXPECT_EQ(Errors("TOxDB {\n  TOxAnim {\n    TOxAnKey {\n      TOxText {\n      }\n    }\n  }\n}\n"),
            "4: a TOxText may not be a child of a TOxAnKey\n");
  EXPECT_EQ(Errors("TOxDB {\n  TOxScreen {\n  }\n  TOxDB {\n  }\n}\n"), "4: a TOxDB may not be a child of a TOxDB\n");
  EXPECT_EQ(Errors("TOxImage {\n}\n"), "1: the root element must be a TOxDB\n");
}

TEST(Check, ReportsMalformedValues) {
  const std::string errors = Errors(
      "TOxDB {\n  Vis = maybe\n  Key = 4294967296\n  Id = abc\n  X = \"1\"\n  Key = 1\n  Key = 2\n"
      "  TOxScreen {\n    Tag = \"\\q\"\n    hxDrawFx = <<<\n    |x\n    >>>\n  }\n}\n");
  EXPECT_NE(errors.find("2: malformed value for Vis (expected a Boolean"), std::string::npos) << errors;
  EXPECT_NE(errors.find("3: malformed value for Key (expected an integer): 4294967296"), std::string::npos);
  EXPECT_NE(errors.find("4: malformed value for Id (expected a quoted string"), std::string::npos);
  EXPECT_NE(errors.find("5: malformed value for X"), std::string::npos);
  EXPECT_NE(errors.find("7: Key is set twice (first on line 6)"), std::string::npos);
  EXPECT_NE(errors.find("9: malformed value for Tag"), std::string::npos);
  EXPECT_NE(errors.find("10: hxDrawFx is an integer, not a block of text"), std::string::npos);
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 7) << errors;
}

TEST(Check, ReportsBrokenStructure) {
  EXPECT_EQ(Errors("TOxDB {\n  TOxScreen {\n}\n"), "1: TOxDB opened here is not closed\n");
  EXPECT_EQ(Errors("TOxDB {\n}\n}\n"), "3: '}' closes no element\n");
  const std::string unclosed = "2: the block opened here has no closing \">>>\" (each of its lines starts with '|')\n";
  EXPECT_EQ(Errors("TOxDB {\n  exInit = <<<\n  |a\n}\n"), unclosed);
  EXPECT_EQ(Errors("TOxDB {\n  exInit = <<<\n  a := 1;\n}\n"),
            unclosed + "3: expected an element, a property or '}'\n");
  EXPECT_EQ(Errors("# nothing\n"), "1: the source holds no element\n");
  EXPECT_EQ(Errors("TOxDB {\n}\nTOxDB {\n}\n"), "3: a source holds one root element; this one follows its end\n");
  EXPECT_EQ(Errors("TOxDB {\n  @count x\n  @raw abc\n  what\n}\n"),
            "2: @count takes one 32-bit integer\n3: @raw takes one quoted byte string\n"
            "4: expected an element, a property or '}'\n");
}

TEST(Check, AcceptsNamesInAnyLetterCaseAndSourcesWithCrLf) {
  EXPECT_EQ(Errors("TOxDB {\r\n  vis = TRUE\r\n  TOxScreen {\r\n    TOxImage {\r\n      poshor = PHRIGHT\r\n"
                   "      hxColor = 0xFFFFFFFF\r\n      rX = -1.5e3\r\n      Scale = bits(7FF8000000000001)\r\n"
                   "    }\r\n  }\r\n}\r\n"),
            "");
}

}  // namespace
}  // namespace ox::oxf
