// The JSON form of script values shared by the oxscript tool and the scene's tree dump:
// {"name":N,"kind":K,"value":V}.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "script/value.h"

namespace ox::script {

// A JSON string literal; each byte is written as the code point U+0000-U+00FF (UTF-8).
std::string JsonString(std::string_view bytes);
// A float in shortest round-trip text; "null" when not finite.
std::string JsonNumber(double v);
// The value part: integers as integers, floats and dates as numbers, Booleans as true/false,
// strings as strings, empty as null. A ref (UInt32) is written by `refValue` when given (the
// scene writes the Key of the element it names, or null), else as its number.
std::string ValueToJson(const Value& v,
                        const std::function<std::string(std::uint32_t)>& refValue = {});
// {"name":N,"kind":K,"value":V}
std::string VarToJson(const TVar& var,
                      const std::function<std::string(std::uint32_t)>& refValue = {});

}  // namespace ox::script
