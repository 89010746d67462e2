// Runs the real oxplayer binary for end-to-end tests and captures what it prints.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "support/temp_folder.h"

extern char** environ;

namespace ox::e2e {

struct PlayerRun {
  int exitCode = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// A fresh folder under the system's temporary folder, removed at the end of the test, that
// writes files into itself.
class TempFolder : public test_support::TempFolder {
 public:
  TempFolder() {
    if (path().empty()) throw std::runtime_error("cannot make a temporary folder");
  }
  std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
    const auto file = path() / name;
    test_support::WriteFile(file, bytes);
    return file;
  }
};

using test_support::ReadFile;

inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs oxplayer with the arguments; stderr goes to a file beside the run.
inline PlayerRun RunPlayer(const std::vector<std::string>& args, const TempFolder& scratch) {
  std::string command = Quote(OX_PLAYER_BIN);
  for (const auto& a : args) command += " " + Quote(a);
  const auto errFile = scratch.path() / "stderr.txt";
  command += " 2>" + Quote(errFile.string());
  PlayerRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer;
  for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) run.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadFile(errFile);
  return run;
}

// Starts oxplayer with the arguments without waiting for it: its output goes nowhere, its
// errors to `errFile`. -1 when it cannot start.
inline pid_t StartPlayer(const std::vector<std::string>& args, const std::string& errFile = "/dev/null") {
  std::vector<char*> argv{const_cast<char*>(OX_PLAYER_BIN)};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  if (posix_spawn(&pid, OX_PLAYER_BIN, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

using Colour = std::uint32_t;  // 0xAARRGGBB

// A 32-bit bottom-up BMP whose pixels the function gives, alpha included.
inline std::string Bmp32(int width, int height, const std::function<Colour(int, int)>& pixel) {
  auto le32 = [](std::uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  auto le16 = [](std::uint16_t v) { return std::string{char(v), char(v >> 8)}; };
  const std::uint32_t dataSize = static_cast<std::uint32_t>(width * height * 4);
  std::string bmp = "BM" + le32(54 + dataSize) + le32(0) + le32(54);
  bmp += le32(40) + le32(static_cast<std::uint32_t>(width)) + le32(static_cast<std::uint32_t>(height)) + le16(1) +
         le16(32) + le32(0) + le32(dataSize) + le32(2835) + le32(2835) + le32(0) + le32(0);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) bmp += le32(pixel(x, y));  // B, G, R, A in memory
  return bmp;
}

// The line of the tree dump that belongs to the first element with the Id, or with `after`,
// the first such element after the element with that Id; "" when there is none.
inline std::string DumpLineOf(const std::string& dump, const std::string& id, const std::string& after = "") {
  const std::size_t from = after.empty() ? 0 : dump.find("\"Id\":\"" + after + "\"");
  const std::size_t at = from == std::string::npos ? from : dump.find("\"Id\":\"" + id + "\"", from);
  if (at == std::string::npos) return "";
  const std::size_t begin = dump.rfind('\n', at) + 1;
  return dump.substr(begin, dump.find('\n', at) - begin);
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace ox::e2e
