// Text conversions between the games' code page (Windows-1251), UTF-8 (file names, the window
// title, the terminal) and UTF-16 (wide ini files), and the engine's unicode form: 8-bit text
// in which a code unit below 128 is one byte and any other is the three bytes 0x01, low byte,
// high byte. Conversions never fail: what cannot be represented becomes "?" in 8-bit text and
// U+FFFD in UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace ox::platform {

// Windows-1251 <-> UTF-16. The byte 0x98, which the code page leaves undefined, maps to U+0098
// and back, so every 8-bit text survives the round trip.
std::u16string Utf16FromCp1251(std::string_view text);
std::string Cp1251FromUtf16(std::u16string_view text);

std::string Utf8FromCp1251(std::string_view text);
std::string Cp1251FromUtf8(std::string_view text);

std::string Utf8FromUtf16(std::u16string_view text);
std::u16string Utf16FromUtf8(std::string_view text);

// The engine's unicode form. Decoding takes 0x01 followed by at least two bytes as the code
// unit low + 256 * high; any other byte stands for itself.
std::string EngineUnicodeFromUtf16(std::u16string_view text);
std::u16string Utf16FromEngineUnicode(std::string_view text);

}  // namespace ox::platform
