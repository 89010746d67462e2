#include "shell/player.h"

#include <fstream>
#include <memory>
#include <ostream>
#include <system_error>

#include "elements/register_classes.h"
#include "platform/log.h"
#include "scene/game_root.h"
#include "scene/tree_dump.h"

namespace ox::shell {

namespace {

// Options whose machinery is not in the player yet are accepted and said to do nothing.
void NoteInactiveOptions(const Options& o) {
  if (!o.headless) platform::LogLine("there is no window yet: running headless");
  if (o.ticks.value_or(0) > 0) platform::LogLine("--ticks: game ticks do not run yet; the game is only loaded");
  if (!o.eventsFile.empty()) platform::LogLine("--events does nothing yet");
  if (!o.screenshotFile.empty()) platform::LogLine("--screenshot does nothing yet");
  if (!o.audioOutFile.empty()) platform::LogLine("--audio-out does nothing yet");
}

bool WriteTreeDump(const scene::TOxElement& root, const std::string& target, std::ostream& out) {
  if (target == "-") {
    scene::DumpTree(root, out);
    return true;
  }
  std::ofstream file(target, std::ios::binary);
  if (file) scene::DumpTree(root, file);
  if (!file) platform::LogLine("cannot write the tree dump to " + target);
  return static_cast<bool>(file);
}

void EnterGameFolder(const GameLocation& game) {
  std::error_code ec;
  if (!game.folder.empty()) std::filesystem::current_path(game.folder, ec);
  if (ec) platform::LogLine("cannot enter the game folder " + game.folder.string() + ": " + ec.message());
}

}  // namespace

int RunPlayer(const Options& options, const DiscoveryPlaces& places, std::ostream& out) {
  NoteInactiveOptions(options);
  elements::RegisterElementClasses();
  const GameLocation game = LocateGame(options.game, places);
  auto root = std::make_unique<scene::TOxDB>();
  if (game.found) {
    EnterGameFolder(game);
    root->LoadGame(game.fileName);
    if (options.logErrors && !root->LoadProblem().empty()) platform::LogLine(root->LoadProblem());
  } else {
    platform::LogLine("no game file found; pass one: oxplayer [OPTIONS] GAME.oxf (or a folder holding one)");
  }
  if (!options.dumpTreeFile.empty() && !WriteTreeDump(*root, options.dumpTreeFile, out)) return 1;
  return 0;
}

}  // namespace ox::shell
