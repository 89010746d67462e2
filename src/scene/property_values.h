// How property values meet script values: integer and enumeration kinds (Boolean as 0 or 1)
// as 32-bit signed integers, float kinds as 64-bit floats, string kinds as strings.
#pragma once

#include "scene/property.h"
#include "script/value.h"

namespace ox::scene {

script::Value ScriptValueOf(const PropertyInfo& p, const PropValue& v);
// A script value assigned to a property: integers from any kind (a string is read as
// StrToInt reads text, 0 when it is no number), floats as floats, strings as strings.
PropValue PropValueOf(const PropertyInfo& p, const script::Value& v);

}  // namespace ox::scene
