#include "shell/player.h"

#include <fstream>
#include <ostream>
#include <system_error>

#include "elements/register_classes.h"
#include "platform/codepage.h"
#include "platform/log.h"
#include "scene/tree_dump.h"
#include "shell/form_main.h"
#include "shell/headless_loop.h"

namespace ox::shell {

namespace {

// Options whose machinery is not in the player yet are accepted and said to do nothing.
void NoteInactiveOptions(const Options& o) {
  if (!o.headless) platform::LogLine("there is no window yet: running headless");
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

bool EnterGameFolder(const GameLocation& game) {
  std::error_code ec;
  if (!game.folder.empty()) std::filesystem::current_path(game.folder, ec);
  if (ec) platform::LogLine("cannot enter the game folder " + game.folder.string() + ": " + ec.message());
  return !ec;
}

}  // namespace

int RunPlayer(const Options& options, const DiscoveryPlaces& places, std::ostream& out) {
  NoteInactiveOptions(options);
  EventsFile events;
  if (!options.eventsFile.empty()) {
    events = ReadEventsFile(options.eventsFile);
    if (!events.error.empty()) {
      platform::LogLine("--events " + options.eventsFile + ": " + events.error);
      return 2;
    }
  }
  elements::RegisterElementClasses();
  if (!options.userDir.empty()) scene::TOxDB::SetUserDirOverride(std::filesystem::absolute(options.userDir));
  const GameLocation game = LocateGame(options.game, places);
  if (!game.found) platform::LogLine("no game file found; pass one: oxplayer [OPTIONS] GAME.oxf (or a folder holding one)");
  const bool entered = game.found && EnterGameFolder(game);

  render::VirtualClock clock;
  TFormMain form(clock, options.testMode, options.logErrors);
  form.StartGame(entered ? game.fileName : std::string());
  if (options.logErrors) {
    if (!form.Root().LoadProblem().empty()) platform::LogLine(form.Root().LoadProblem());
    platform::LogLine("title: " + platform::Utf8FromCp1251(form.Title()));
  }
  RunHeadless(form, clock, events.events, options.ticks);
  if (!options.dumpTreeFile.empty() && !WriteTreeDump(form.Root(), options.dumpTreeFile, out)) return 1;
  return 0;
}

}  // namespace ox::shell
