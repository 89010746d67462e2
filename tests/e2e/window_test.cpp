// The real window under a virtual X server: it opens, takes replayed input and is captured.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gamefile/game_file_writer.h"
#include "player_run.h"

namespace ox::e2e {
namespace {

using gamefile::Node;

std::uint32_t BigEndian32(const std::string& s, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at]) << 24 | static_cast<unsigned char>(s[at + 1]) << 16 |
                                    static_cast<unsigned char>(s[at + 2]) << 8 | static_cast<unsigned char>(s[at + 3]));
}

TEST(Window, OpensTakesReplayedInputAndIsCaptured) {
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
  TempFolder folder;
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("Id", "S");
  screen.Add(Node::Of("TOxShape").Set("Key", 3).Set("Id", "B").Set("exMouseDown", "OXDB.HITS := OXDB.HITS + 1"));
  const Node game = Node::Of("TOxDB").Set("Key", 1).Set("Id", "W").Set("InitScreen", 2).Set("exInit", "HITS := 0").Add(screen);
  const auto file = folder.Write("w.oxf", gamefile::WriteGameFile(game));
  const auto events = folder.Write("events.txt", "105 down 50 50\n106 up 50 50\n");
  const auto shot = folder.path() / "shot.png";
  const std::string command = "xvfb-run -a -s '-screen 0 1280x1024x24' " + Quote(OX_PLAYER_BIN) + " --ticks 110 --events " +
                              Quote(events.string()) + " --screenshot " + Quote(shot.string()) + " --dump-tree " +
                              Quote((folder.path() / "dump.txt").string()) + " " + Quote(file.string()) + " 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_NE(ReadFile(folder.path() / "dump.txt").find("{\"name\":\"HITS\",\"kind\":\"int32\",\"value\":1}"), std::string::npos);
  const std::string png = ReadFile(shot);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(BigEndian32(png, 16), 1024u);
  EXPECT_EQ(BigEndian32(png, 20), 768u);
}

}  // namespace
}  // namespace ox::e2e
