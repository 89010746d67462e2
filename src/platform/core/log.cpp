#include "platform/core/log.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace ox::platform {

void LogLine(std::string_view text) {
  std::string line = "oxplayer: ";
  line.reserve(line.size() + text.size() + 1);
  for (char c : text) line += (c == '\n' || c == '\r') ? ' ' : c;
  line += '\n';
  // One write call per line, so lines of one process never interleave mid-line.
  std::size_t done = 0;
  while (done < line.size()) {
    const ssize_t n = ::write(STDERR_FILENO, line.data() + done, line.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::string EscapeNonPrintable(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out += c;
      continue;
    }
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    out += hex;
  }
  return out;
}

}  // namespace ox::platform
