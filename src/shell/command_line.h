// The player's command line:
//   oxplayer [/TESTMODE] [OPTIONS] [GAME]
// GAME is a game file or a folder holding one; without it the game is looked for beside the
// program. Exit status 2 is for bad usage.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ox::shell {

struct Options {
  bool testMode = false;  // "/TESTMODE" in any letter case as the first argument
  bool headless = false;
  std::optional<std::int64_t> ticks;
  std::string eventsFile;
  std::string screenshotFile;
  std::string userDir;
  std::string dumpTreeFile;  // "-" for standard output
  bool logErrors = false;
  std::string audioOutFile;
  std::string game;  // empty: discovery beside the program
  bool showHelp = false;
  bool showVersion = false;
};

struct ParseResult {
  std::optional<Options> options;  // nullopt: bad usage, `error` says why
  std::string error;
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace ox::shell
