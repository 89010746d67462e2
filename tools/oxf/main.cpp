// oxf: game files as text and back.
//   oxf decompile GAME [SOURCE]   the text form of a game file (on standard output without SOURCE)
//   oxf compile SOURCE GAME       a game file from its text form; nothing is written on an error
//   oxf check SOURCE...           the errors a compile would find, as FILE:LINE: reason
// Exit status: 0 done, 1 an error was reported (a damaged game file is still decompiled up to
// the damage), 2 bad usage.
#include <cstdio>
#include <string>
#include <string_view>

#include "gamefile/game_file_decoder.h"
#include "oxf/text_form.h"
#include "platform/files/atomic_file.h"
#include "platform/files/read_file.h"

namespace {

int Usage() {
  std::fputs(
      "usage: oxf decompile GAME [SOURCE]\n"
      "       oxf compile SOURCE GAME\n"
      "       oxf check SOURCE...\n",
      stderr);
  return 2;
}

std::optional<std::string> Read(const char* path) {
  auto bytes = ox::platform::ReadWholeFile(path);
  if (!bytes) std::fprintf(stderr, "oxf: %s: cannot be read\n", path);
  return bytes;
}

int Decompile(const char* game, const char* source) {
  const auto bytes = Read(game);
  if (!bytes) return 1;
  const auto decoded = ox::gamefile::DecodeGameFile(*bytes);
  const std::string text = ox::oxf::WriteSource(decoded.root);
  if (source == nullptr) {
    std::fwrite(text.data(), 1, text.size(), stdout);
  } else if (!ox::platform::WriteFileAtomically(source, text)) {
    std::fprintf(stderr, "oxf: %s: cannot be written\n", source);
    return 1;
  }
  if (!decoded.damage) return 0;
  const auto& d = *decoded.damage;
  std::fprintf(stderr, "oxf: %s: damaged at byte %zu in %s: %s; decompiled up to there\n", game, d.offset,
               d.record.c_str(), d.reason.c_str());
  return 1;
}

// The source's tree, or none after printing its errors.
std::optional<ox::gamefile::Node> ReadChecked(const char* path) {
  const auto text = Read(path);
  if (!text) return std::nullopt;
  auto result = ox::oxf::ReadSource(*text);
  for (const auto& e : result.errors) std::fprintf(stderr, "%s:%d: %s\n", path, e.line, e.message.c_str());
  if (!result.errors.empty()) return std::nullopt;
  return std::move(result.root);
}

int Compile(const char* source, const char* game) {
  const auto root = ReadChecked(source);
  if (!root) return 1;
  if (!ox::platform::WriteFileAtomically(game, ox::gamefile::WriteGameFile(*root))) {
    std::fprintf(stderr, "oxf: %s: cannot be written\n", game);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string_view command = argv[1];
  if (command == "decompile" && argc <= 4) return Decompile(argv[2], argc == 4 ? argv[3] : nullptr);
  if (command == "compile" && argc == 4) return Compile(argv[2], argv[3]);
  if (command != "check") return Usage();
  int status = 0;
  for (int i = 2; i < argc; ++i) {
    if (!ReadChecked(argv[i])) status = 1;
  }
  return status;
}
