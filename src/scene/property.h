// Published properties: the one table per element class that drives the game file, script
// access by name and saved state alike. Each entry names the property, its declared type and
// the accessors through which every reader and writer goes (setters carry side effects).
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace ox::scene {

class TOxElement;

enum class PropType : std::uint8_t {
  Integer,   // 32-bit signed
  Cardinal,  // 32-bit unsigned
  Byte,
  Word,
  Boolean,
  Enum,      // ordinal of an enumeration, names in PropertyInfo::enumNames
  Real,      // 64-bit float
  Extended,  // 80-bit float where the machine has it
  String,    // 8-bit text in the games' code page
};

// How a property's value is encoded in a game file or saved state.
enum class StreamKind : std::uint8_t { Int32, Float64, String };

StreamKind StreamKindOf(PropType type);

// A property value as accessors exchange it: ordinal kinds as integers, floats at full
// precision, strings as bytes.
using PropValue = std::variant<std::int64_t, long double, std::string>;

using PropGetter = PropValue (*)(const TOxElement&);
using PropSetter = void (*)(TOxElement&, const PropValue&);

// Rules that go with a property, set by the table builders.
enum PropFlag : std::uint8_t {
  kNotSaved = 1,     // saved state leaves it out (identity, event scripts, settings of the file)
  kKeepsLoaded = 2,  // true keeps the element's pictures loaded across screen switches
  kPosition = 4,     // X or Y: saved only by classes that save their position
};

struct PropertyInfo {
  const char* name;
  PropType type;
  PropGetter get;
  PropSetter set;
  const std::vector<const char*>* enumNames = nullptr;
  std::uint8_t flags = 0;

  bool Has(PropFlag flag) const { return (flags & flag) != 0; }
};

using PropertyTable = std::vector<PropertyInfo>;

// Conversions used by accessors: integers narrowed as the declared type stores them.
std::int64_t AsInteger(const PropValue& v);
long double AsFloat(const PropValue& v);
const std::string& AsString(const PropValue& v);
// An integer value brought into the range of the declared ordinal type (Cardinal, Byte and
// Word keep their low bits, Boolean is 0 or 1, Integer and Enum their low 32 bits signed).
std::int64_t NarrowOrdinal(PropType type, std::int64_t v);

}  // namespace ox::scene
