// Problem reporting. The player never stops for a problem it can carry on from; it says so in
// one line on stderr ("oxplayer: " + text) and goes on.
#pragma once

#include <string>
#include <string_view>

namespace ox::platform {

// Writes one line on stderr. Line breaks inside the text become spaces so that one problem
// is always one line; the text should be UTF-8 (see Utf8FromCp1251 for names from game data).
void LogLine(std::string_view text);

// Bytes from a file made fit for a terminal line: those outside printable ASCII as \xHH.
std::string EscapeNonPrintable(std::string_view bytes);

}  // namespace ox::platform
