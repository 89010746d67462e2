#include "shell/command_line.h"

#include <charconv>

#include "platform/text/case1251.h"

namespace ox::shell {

namespace {

bool ParseTicks(const std::string& text, std::int64_t& out) {
  const char* end = text.data() + text.size();
  const auto r = std::from_chars(text.data(), end, out);
  return r.ec == std::errc() && r.ptr == end && out >= 0;
}

// Options that take a value, and where the value goes.
std::string* ValueSlot(Options& o, const std::string& name) {
  if (name == "--events") return &o.eventsFile;
  if (name == "--screenshot") return &o.screenshotFile;
  if (name == "--user-dir") return &o.userDir;
  if (name == "--dump-tree") return &o.dumpTreeFile;
  if (name == "--audio-out") return &o.audioOutFile;
  return nullptr;
}

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
  Options o;
  std::size_t i = 0;
  if (!args.empty() && platform::UpperCase1251(args[0]) == "/TESTMODE") {
    o.testMode = true;
    ++i;
  }
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--headless") {
      o.headless = true;
    } else if (a == "--log-errors") {
      o.logErrors = true;
    } else if (a == "-h" || a == "--help") {
      o.showHelp = true;
    } else if (a == "--version") {
      o.showVersion = true;
    } else if (a == "--ticks") {
      std::int64_t n = 0;
      if (i + 1 >= args.size() || !ParseTicks(args[i + 1], n))
        return {std::nullopt, "--ticks needs a whole number of ticks (0 or more)"};
      o.ticks = n;
      ++i;
    } else if (std::string* slot = ValueSlot(o, a)) {
      if (i + 1 >= args.size()) return {std::nullopt, a + " needs a value"};
      *slot = args[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      return {std::nullopt, "unknown option " + a};
    } else if (o.game.empty()) {
      o.game = a;
    } else {
      return {std::nullopt, "more than one game given: " + o.game + " and " + a};
    }
  }
  return {o, ""};
}

std::string UsageText() {
  return "usage: oxplayer [/TESTMODE] [OPTIONS] [GAME]\n"
         "  GAME                a game file (*.oxf) or a folder holding one; without it the\n"
         "                      game beside the program is played\n"
         "  --headless          no window and no sound output; every frame runs one game tick\n"
         "  --ticks N           end the run after N game ticks (0: load the game only)\n"
         "  --events FILE       scripted input, one event a line\n"
         "  --screenshot FILE   write the last frame as PNG at the end of the run\n"
         "  --user-dir DIR      keep settings and saved games under DIR/Tarvo/<game id>/\n"
         "  --dump-tree FILE    write the element tree as JSON lines at the end (- : stdout)\n"
         "  --log-errors        also print every script error line on stderr\n"
         "  --audio-out FILE    headless: write the mixed sound as WAV at the end\n"
         "  --version, -h, --help\n";
}

}  // namespace ox::shell
