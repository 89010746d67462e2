#include "shell/player.h"

#include <chrono>
#include <fstream>
#include <ostream>
#include <system_error>

#include "elements/register_classes.h"
#include "platform/core/log.h"
#include "platform/core/random.h"
#include "platform/text/codepage.h"
#include "scene/tree_dump.h"
#include "shell/audio_system.h"
#include "shell/form_main.h"
#include "shell/graphics.h"
#include "shell/headless_loop.h"
#include "shell/picture_system.h"
#include "shell/resources.h"
#include "shell/window_loop.h"

namespace ox::shell {

namespace {

constexpr char kDeviceFailure[] = "Failed initializing Asphyre device!";

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

// What the end of a run writes: the tree dump, the screenshot and the captured sound.
int WriteRunResults(const Options& options, TFormMain& form, Graphics& graphics, AudioSystem& audio,
                    std::ostream& out) {
  int status = 0;
  if (!options.dumpTreeFile.empty() && !WriteTreeDump(form.Root(), options.dumpTreeFile, out)) status = 1;
  if (!options.screenshotFile.empty() && !graphics.Screenshot(options.screenshotFile)) {
    platform::LogLine("cannot write the screenshot " + options.screenshotFile);
    status = 1;
  }
  if (!options.audioOutFile.empty() && !audio.WriteCapture(options.audioOutFile)) {
    platform::LogLine("cannot write the sound to " + options.audioOutFile);
    status = 1;
  }
  return status;
}

std::unique_ptr<Graphics> OpenGraphics(const Options& options) {
  if (options.headless) return Graphics::Headless();
  platform::WindowSettings settings;
  settings.fullScreen = false;
  return Graphics::Windowed(settings);
}

void ReportDeviceFailure(const Options& options) {
  if (options.headless) {
    platform::LogLine(kDeviceFailure);
  } else {
    platform::ShowErrorBox("oxplayer", kDeviceFailure);
  }
}

// Output files named on the command line are relative to where the player was started, not to
// the game folder it enters.
Options WithAbsoluteOutputs(Options options) {
  for (std::string* path : {&options.screenshotFile, &options.audioOutFile, &options.dumpTreeFile}) {
    if (!path->empty() && *path != "-") *path = std::filesystem::absolute(*path).string();
  }
  return options;
}

// A game named on the command line must be there and readable: anything else is a mistake the
// user should hear of at once, not an empty game.
bool NamedGameOpens(const Options& options, const GameLocation& game) {
  if (options.game.empty()) return true;
  const char* problem = nullptr;
  if (!game.found) {
    problem = game.fileName.empty() ? "holds no game file (*.oxf)" : "no such game file";
  } else if (!std::ifstream(game.folder / game.fileName, std::ios::binary).is_open()) {
    problem = "cannot be opened";
  }
  if (problem != nullptr) platform::LogLine(options.game + ": " + problem);
  return problem == nullptr;
}

}  // namespace

int RunPlayer(const Options& given, const DiscoveryPlaces& places, std::ostream& out) {
  const Options options = WithAbsoluteOutputs(given);
  if (!options.audioOutFile.empty() && !options.headless) platform::LogLine("--audio-out works with --headless only");
  EventsFile events;
  if (!options.eventsFile.empty()) {
    events = ReadEventsFile(options.eventsFile);
    if (!events.error.empty()) {
      platform::LogLine("--events " + options.eventsFile + ": " + events.error);
      return 2;
    }
  }
  const GameLocation game = LocateGame(options.game, places);
  if (!NamedGameOpens(options, game)) return 1;
  elements::RegisterElementClasses();
  // Play draws its particles and sparkles from the clock; headless runs repeat themselves.
  if (!options.headless) {
    platform::SeedSharedRandom(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  }
  if (!options.userDir.empty()) scene::TOxDB::SetUserDirOverride(std::filesystem::absolute(options.userDir));

  std::unique_ptr<AudioSystem> audio =
      options.headless ? AudioSystem::Headless(!options.audioOutFile.empty()) : AudioSystem::RealTime();
  std::unique_ptr<Graphics> graphics = OpenGraphics(options);
  render::VirtualClock virtualClock;
  render::SteadyClock realClock;
  TFormMain form(options.headless ? static_cast<render::Clock&>(virtualClock) : realClock, options.testMode,
                 options.logErrors);
  form.SetAudio(audio.get());
  if (!graphics || !graphics->Initialize([&form] { form.DeviceRender(); })) {
    ReportDeviceFailure(options);
    return 1;
  }
  form.SetGraphics(graphics.get());
  Resources resources(graphics.get());
  form.SetResources(&resources);
  form.Root().Services().openArchive = [&resources](const std::filesystem::path& file) { resources.OpenArchive(file); };
  PictureSystem pictures(*graphics, resources, form.Root());

  if (!game.found) platform::LogLine("no game file found; pass one: oxplayer [OPTIONS] GAME.oxf (or a folder holding one)");
  const bool entered = game.found && EnterGameFolder(game);
  form.StartGame(entered ? game.fileName : std::string());
  if (graphics->Window() != nullptr) graphics->Window()->SetTitle(platform::Utf8FromCp1251(form.Title()));
  if (!form.Root().LoadProblem().empty())
    platform::LogLine((game.folder / game.fileName).lexically_normal().string() + ": " +
                      platform::EscapeNonPrintable(form.Root().LoadProblem()));
  if (options.logErrors) {
    platform::LogLine("title: " + platform::Utf8FromCp1251(form.Title()));
  }
  if (options.headless) {
    RunHeadless(form, virtualClock, events.events, options.ticks, *audio);
  } else {
    RunWindowed(form, *graphics, events.events, options.ticks);
  }
  return WriteRunResults(options, form, *graphics, *audio, out);
}

}  // namespace ox::shell
