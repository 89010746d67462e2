#include "platform/files/error_log.h"

#include "platform/core/log.h"
#include "platform/files/output_path.h"

#include <fstream>
#include <string>

namespace ox::platform {

bool AppendErrorLine(const std::filesystem::path& gameFolder, std::string_view line) {
  const auto path = SafeOutputPath(gameFolder, "tarvo.err");
  if (!path) return false;
  std::ofstream out(*path, std::ios::binary | std::ios::app);
  std::string record(line);
  record += "\r\n";
  out.write(record.data(), static_cast<std::streamsize>(record.size()));
  out.flush();
  if (!out) {
    LogLine("cannot append to " + path->string());
    return false;
  }
  return true;
}

}  // namespace ox::platform
