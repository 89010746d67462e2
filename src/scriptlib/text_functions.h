// The byte-string functions of scripts. Positions are 1-based; indexes out of range never fail:
// they are clamped as each function says.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ox::scriptlib {

// Copy: up to `count` bytes from position `from`; `from` below 1 counts as 1; `from` past the
// end or `count` below 1 gives "".
std::string CopyText(std::string_view s, std::int32_t from, std::int32_t count);
// Poss: position of the first occurrence of `sub` in `s`, 0 when none or when `sub` is empty.
std::int32_t PositionOf(std::string_view sub, std::string_view s);
// Insert: `sub` before position `pos`; `pos` below 1 inserts at the front, past the end appends.
std::string InsertText(std::string_view sub, std::string_view s, std::int32_t pos);
// Delete: removes up to `count` bytes from position `from`; nothing when `from` is outside the
// text or `count` is below 1.
std::string DeleteText(std::string_view s, std::int32_t from, std::int32_t count);
// Trim, TrimLeft, TrimRight: bytes of value 32 or below removed at both ends / the start / the end.
std::string TrimText(std::string_view s);
std::string TrimLeftText(std::string_view s);
std::string TrimRightText(std::string_view s);

// Whether scripts' strings are in the engine's unicode form (a character above 127 is the three
// bytes 0x01, low byte, high byte). Process-wide; the game root sets it when it loads a game.
void SetUnicodeMode(bool on);
bool UnicodeMode();
// Length: bytes, or in unicode form characters (a triple counts once).
std::int32_t TextLength(std::string_view s, bool unicode);
// DelLastChar: without the last byte, or in unicode form the last character; "" stays "".
std::string WithoutLastChar(std::string_view s, bool unicode);

}  // namespace ox::scriptlib
