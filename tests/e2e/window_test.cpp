// The real window under a virtual X server: it opens, takes replayed input and is captured,
// and a request to close it ends the player even while a script never ends.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>

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

// SDL turns SIGTERM into the same quit event that the close button and Alt+F4 send. The screen
// shows with an error line, then its exProcess never ends, so every later frame is inside it;
// only the long-run guard's question about closing can end the player before the five-second
// wall-time bound, and that bound would report "Script runs too long" instead. Runs where there
// is a display: ctest gives it one with xvfb-run.
TEST(Window, ACloseRequestEndsThePlayerWhileAScriptNeverEnds) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
  using namespace std::chrono_literals;
  TempFolder folder;
  const Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("Id", "S").Set("exShow", "Shown := 1 DIV 0").Set(
      "exProcess", "WHILE TRUE DO OXDB.N := OXDB.N + 1");
  const Node game = Node::Of("TOxDB").Set("Key", 1).Set("Id", "W").Set("InitScreen", 2).Set("exInit", "N := 0").Add(screen);
  const auto file = folder.Write("w.oxf", gamefile::WriteGameFile(game));
  const std::string err = (folder.path() / "stderr.txt").string();
  const pid_t pid = StartPlayer({"--log-errors", "--user-dir", (folder.path() / "user").string(), file.string()}, err);
  ASSERT_GT(pid, 0);
  int status = 0;
  auto exited = [pid, &status](std::chrono::milliseconds within) {
    for (auto waited = 0ms;; waited += 50ms) {
      if (::waitpid(pid, &status, WNOHANG) == pid) return true;
      if (waited >= within) return false;
      std::this_thread::sleep_for(50ms);
    }
  };
  for (auto waited = 0ms; ReadFile(err).find("SHOWN") == std::string::npos && waited < 60s; waited += 50ms)
    std::this_thread::sleep_for(50ms);
  std::this_thread::sleep_for(300ms);
  ASSERT_FALSE(exited(0ms)) << ReadFile(err);
  ::kill(pid, SIGTERM);
  if (!exited(60s)) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    FAIL() << "the player did not end after the close request\n" << ReadFile(err);
  }
  const std::string log = ReadFile(err);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << log;
  EXPECT_NE(log.find("Script stopped: the player is closing"), std::string::npos) << log;
  EXPECT_EQ(log.find("Script runs too long"), std::string::npos) << log;
}

}  // namespace
}  // namespace ox::e2e
