// Reading a whole file into memory without exceptions.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ox::platform {

// The bytes of a regular file; nullopt when it is missing, not a regular file or unreadable.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

}  // namespace ox::platform
