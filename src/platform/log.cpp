#include "platform/log.h"

#include <unistd.h>

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

}  // namespace ox::platform
