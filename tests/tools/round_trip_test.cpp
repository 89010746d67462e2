#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "gamefile/game_file_decoder.h"
#include "oxf/text_form.h"
#include "random_game.h"
#include "scene/game_file_reader.h"
#include "scene/game_root.h"

namespace ox::oxf {
namespace {

using gamefile::Node;
using gamefile::WriteGameFile;

// The bytes that the text form of a game file compiles back to.
std::string ThroughText(const std::string& bytes) {
  const auto decoded = gamefile::DecodeGameFile(bytes);
  EXPECT_FALSE(decoded.damage.has_value()) << decoded.damage->reason;
  const std::string text = WriteSource(decoded.root);
  const ReadResult read = ReadSource(text);
  for (const auto& e : read.errors) ADD_FAILURE() << "line " << e.line << ": " << e.message << "\n" << text;
  return WriteGameFile(read.root);
}

TEST(RoundTrip, GeneratedGamesOfEveryClassComeBackByteForByte) {
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    const std::string bytes = WriteGameFile(testing::RandomGame(seed).Game());
    ASSERT_EQ(ThroughText(bytes), bytes) << "seed " << seed;
  }
}

TEST(RoundTrip, ScriptsAreKeptAsBlocksAndStringsEscaped) {
  Node game = Node::Of("TOxDB").Set("exInit", "a := 1;\r\n  b := 'x|y';\r\n").Set("Id", "\x01\xC0\"\\");
  const std::string text = WriteSource(*gamefile::ParseGameFile(WriteGameFile(game)));
  EXPECT_NE(text.find("exInit = <<< crlf\n    |a := 1;\n    |  b := 'x|y';\n    |\n    >>>\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Id = \"\\x01\\xC0\\\"\\\\\"\n"), std::string::npos) << text;
}

TEST(RoundTrip, PropertiesLeftOutTakeTheCreationDefaults) {
  const ReadResult read = ReadSource("TOxDB {\n  TOxScreen {\n    TOxImage {\n      Scale = 2\n    }\n  }\n}\n");
  ASSERT_TRUE(read.errors.empty());
  const Node expected = Node::Of("TOxDB").Add(Node::Of("TOxScreen").Add(Node::Of("TOxImage").Set("Scale", 2.0)));
  EXPECT_EQ(WriteGameFile(read.root), WriteGameFile(expected));
}

// A damaged file decodes up to the damage, and the player stops reading at the same byte.
TEST(Damage, DecodingStopsWhereThePlayerStops) {
  Node game = Node::Of("TOxDB").Set("Id", "g");
  game.Add(Node::Of("TOxScreen").Set("Id", "s").Add(Node::Of("TOxImage").Set("Id", "i").Set("Scale", 0.5)));
  game.Add(Node::Of("TOxScreen").Set("Id", "t"));
  const std::string bytes = WriteGameFile(game);
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    const std::string cut = bytes.substr(0, size);
    const auto decoded = gamefile::DecodeGameFile(cut);
    scene::TOxDB root;
    const std::string problem = scene::ReadRootRecord(root, cut, true);
    if (problem.empty()) {
      EXPECT_FALSE(decoded.damage.has_value()) << size;
      continue;
    }
    ASSERT_TRUE(decoded.damage.has_value()) << size;
    EXPECT_NE(problem.find("byte " + std::to_string(decoded.damage->offset) + " "), std::string::npos)
        << problem << " / " << decoded.damage->offset;
    EXPECT_TRUE(ReadSource(WriteSource(decoded.root)).errors.empty());
  }
}

// Every game file the other tests wrote (kept by the writer under OX_KEEP_WRITTEN_GAMES).
TEST(WrittenGames, EveryGameTheTestsWroteComesBackByteForByte) {
  const char* folder = std::getenv("OX_KEEP_WRITTEN_GAMES");
  if (folder == nullptr || !std::filesystem::is_directory(folder)) GTEST_SKIP() << "no written games kept";
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(ThroughText(bytes), bytes) << entry.path();
    ++count;
  }
  EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace ox::oxf
