// Replacing a file so that a crash never leaves it half written: the new content goes into a
// temporary file beside the target, is flushed to disk, and is renamed over the target. Missing
// parent folders are created. On any failure the old file stays as it was, the temporary file
// is removed, one line is logged and the result is false. Temporary files that a killed writer
// left beside the same target are removed first.
#pragma once

#include <filesystem>
#include <string_view>

namespace ox::platform {

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

// Creates an empty file (and its folders) unless a file is there already; an existing file is
// never touched. False when neither is the case afterwards.
bool EnsureFileExists(const std::filesystem::path& file);

}  // namespace ox::platform
