// One run of the player: find and load the game, run it for as long as asked, and write what
// the command line asked for at the end. Returns the process exit status.
#pragma once

#include <iosfwd>

#include "shell/command_line.h"
#include "shell/game_discovery.h"

namespace ox::shell {

int RunPlayer(const Options& options, const DiscoveryPlaces& places, std::ostream& out);

}  // namespace ox::shell
