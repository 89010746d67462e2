#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "gamefile/game_file_writer.h"
#include "support/temp_folder.h"

namespace ox::oxf {
namespace {

using gamefile::Node;
using test_support::ReadFile;
using test_support::TempFolder;
using test_support::WriteFile;

struct OxfRun {
  int status;
  std::string err;
};

OxfRun Oxf(const std::string& arguments, const std::filesystem::path& folder) {
  const std::string errFile = (folder / "stderr.txt").string();
  const std::string command = "cd '" + folder.string() + "' && '" OXF_BIN "' " + arguments + " 2>'" + errFile + "' >/dev/null";
  const int status = std::system(command.c_str());
  OxfRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(errFile)};
  std::filesystem::remove(errFile);
  return run;
}

std::size_t FilesIn(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(OxfCommand, ARefusedSourceLeavesTheOldGameWhole) {
  TempFolder folder;
  const std::string old = gamefile::WriteGameFile(Node::Of("TOxDB").Set("Id", "old"));
  WriteFile(folder.path() / "game.oxf", old);
  WriteFile(folder.path() / "game.oxs", "TOxDB {\n  Id = \"new\"\n  Vis = perhaps\n}\n");
  const OxfRun run = Oxf("compile game.oxs game.oxf", folder.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "game.oxs:3: malformed value for Vis (expected a Boolean (True, False or an integer)): perhaps\n");
  EXPECT_EQ(ReadFile(folder.path() / "game.oxf"), old);
  EXPECT_EQ(FilesIn(folder.path()), 2u);
}

TEST(OxfCommand, CheckWritesNothingAndCompileWritesTheGame) {
  TempFolder folder;
  WriteFile(folder.path() / "a.oxs", "TOxDB {\n  Id = \"a\"\n}\n");
  WriteFile(folder.path() / "b.oxs", "TOxDB {\n  TOxText {\n  }\n}\n");
  const OxfRun check = Oxf("check a.oxs b.oxs", folder.path());
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.err, "b.oxs:2: a TOxText may not be a child of a TOxDB\n");
  EXPECT_EQ(FilesIn(folder.path()), 2u);
  EXPECT_EQ(Oxf("compile a.oxs a.oxf", folder.path()).status, 0);
  EXPECT_EQ(ReadFile(folder.path() / "a.oxf"), gamefile::WriteGameFile(Node::Of("TOxDB").Set("Id", "a")));
}

TEST(OxfCommand, ADamagedGameIsDecompiledUpToTheDamageWithOneLine) {
  TempFolder folder;
  const std::string whole = gamefile::WriteGameFile(
      Node::Of("TOxDB").Add(Node::Of("TOxScreen").Set("Id", "first")).Add(Node::Of("TOxScreen").Set("Id", "second")));
  WriteFile(folder.path() / "cut.oxf", whole.substr(0, whole.size() - 3));
  const OxfRun run = Oxf("decompile cut.oxf cut.oxs", folder.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
  EXPECT_NE(run.err.find("cut.oxf: damaged at byte "), std::string::npos) << run.err;
  const std::string text = ReadFile(folder.path() / "cut.oxs");
  EXPECT_NE(text.find("\"first\""), std::string::npos);
  EXPECT_EQ(text.find("\"second\""), std::string::npos);
}

// The root's files would be opened and its scripts run if the game were loaded; decompiling
// touches neither.
TEST(OxfCommand, DecompilingRunsNoScriptAndOpensNoFileOfTheGame) {
  TempFolder folder;
  WriteFile(folder.path() / "g.oxf",
            gamefile::WriteGameFile(Node::Of("TOxDB")
                                        .Set("Id", "g")
                                        .Set("exInit", "SaveGame('made');")
                                        .Set("FileRS", "state.rs")
                                        .Set("IniFile", "settings.ini")));
  EXPECT_EQ(Oxf("decompile g.oxf g.oxs", folder.path()).status, 0);
  EXPECT_EQ(FilesIn(folder.path()), 2u);
  EXPECT_EQ(Oxf("compile g.oxs again.oxf", folder.path()).status, 0);
  EXPECT_EQ(ReadFile(folder.path() / "again.oxf"), ReadFile(folder.path() / "g.oxf"));
}

}  // namespace
}  // namespace ox::oxf
