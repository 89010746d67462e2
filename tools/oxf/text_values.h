// The values of the text form: how one stored value of a property is written on its line and
// read back. Every stored value has a spelling that reads back to the same bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gamefile/game_file_writer.h"
#include "scene/property.h"

namespace ox::oxf {

// A byte string in double quotes: printable ASCII as itself, the rest as \n \r \t \\ \" \xHH.
std::string Quote(std::string_view bytes);
// The bytes of a quoted string that fills the whole of text; nullopt when it does not.
std::optional<std::string> Unquote(std::string_view text);

// The spelling of an int32 or float64 value: names for enumerations and Booleans, hexadecimal
// for Cardinals, the shortest exact decimal for floats (bits(HEX) when not finite).
std::string FormatNumber(const scene::PropertyInfo& property, const gamefile::RawValue& value);
// Reads a number spelled for the property; nullopt when text is not such a value.
std::optional<gamefile::RawValue> ParseNumber(const scene::PropertyInfo& property, std::string_view text);

// A multi-line script kept verbatim: its lines and whether they end in CR LF. Only strings of
// printable ASCII and tabs with one kind of line end, and at least one, are written so.
struct TextBlock {
  std::vector<std::string_view> lines;
  bool crlf = false;
};
std::optional<TextBlock> AsBlock(std::string_view bytes);
std::string JoinBlock(const std::vector<std::string>& lines, bool crlf);

}  // namespace ox::oxf
