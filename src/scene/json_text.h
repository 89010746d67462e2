// JSON text for the tree dump: strings written byte for byte as U+0000-U+00FF, floats in
// shortest round-trip form (null when not finite).
#pragma once

#include <string>
#include <string_view>

#include "script/value.h"

namespace ox::scene {

void AppendJsonString(std::string& out, std::string_view bytes);
void AppendJsonNumber(std::string& out, double v);
// A script value: integers as integers, floats and dates as numbers, Booleans as true/false,
// strings as strings, empty as null. References are written as their number.
void AppendJsonValue(std::string& out, const script::Value& v);

}  // namespace ox::scene
