// oxplayer: plays a game made of one game file and its resources.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "platform/core/log.h"
#include "platform/files/folders.h"
#include "shell/command_line.h"
#include "shell/player.h"

int main(int argc, char** argv) {
  using namespace ox;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const shell::ParseResult parsed = shell::ParseCommandLine(args);
  if (!parsed.options) {
    std::cerr << "oxplayer: " << parsed.error << "\n" << shell::UsageText();
    return 2;
  }
  const shell::Options& options = *parsed.options;
  if (options.showHelp) {
    std::cout << shell::UsageText();
    return 0;
  }
  if (options.showVersion) {
    std::cout << "oxplayer " << OX_VERSION << "\n";
    return 0;
  }
  try {
    const shell::DiscoveryPlaces places{platform::ProgramFolder(), platform::ProgramName(),
                                        platform::ConfigFolder().value_or("."),
                                        platform::ProgramFolder() / OX_INSTALLED_DEMO};
    return shell::RunPlayer(options, places, std::cout);
  } catch (const std::exception& e) {
    platform::LogLine(std::string("start-up failed: ") + e.what());
    return 1;
  }
}
