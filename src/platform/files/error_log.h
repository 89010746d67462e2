// The game's error log "tarvo.err" in the game folder, where script errors go when the game
// asks for it. Each line is appended as given (8-bit text) and ended with CR LF; the file is
// created when missing.
#pragma once

#include <filesystem>
#include <string_view>

namespace ox::platform {

// False, with one log line, when the log cannot be written.
bool AppendErrorLine(const std::filesystem::path& gameFolder, std::string_view line);

}  // namespace ox::platform
