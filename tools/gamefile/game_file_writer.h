// The game-file writer: builds element records and writes them in the game-file format, for
// the tests' fixtures and the authoring tools. It writes any tree the reader reads, and
// WriteGameFile(ParseGameFile(f)) gives back the bytes of every file it wrote.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ox::scene {
class TOxElement;
}

namespace ox::gamefile {

// One stored value: int32, float64 or string, as the property's stream kind says.
using RawValue = std::variant<std::int32_t, double, std::string>;

struct Node {
  std::string className;
  std::vector<RawValue> values;  // properties 0, 1, 2, ... of the class, in table order
  std::vector<Node> children;
  // What a file may hold that a well-made one does not, kept so that every file the player
  // reads can be written back as it was: a class name stored other than the one the record is
  // read as, a value count other than the number of values, and a record the reader skips (a
  // raw record: its bytes are all there is of the node).
  std::optional<std::string> storedName;
  std::optional<std::int32_t> storedCount;
  std::optional<std::string> raw;

  // A record of a registered class with no values yet.
  static Node Of(std::string className);
  // Sets a property by name (any letter case). Unset properties before it are written with the
  // class's creation defaults. Throws std::invalid_argument for an unknown property or a value
  // of the wrong stream kind.
  Node& Set(std::string_view property, RawValue value);
  Node& Set(std::string_view property, std::int32_t v) { return Set(property, RawValue(v)); }
  Node& Set(std::string_view property, double v) { return Set(property, RawValue(v)); }
  Node& Set(std::string_view property, std::string v) { return Set(property, RawValue(std::move(v))); }
  Node& Set(std::string_view property, const char* v) { return Set(property, std::string(v)); }
  Node& Set(std::string_view property, std::nullptr_t) = delete;
  Node& Add(Node child);
};

// The bytes of a record (the root's record is a whole game file).
std::string WriteGameFile(const Node& root);
// Reads back a whole, undamaged game file (see DecodeGameFile); nullopt when it is damaged.
std::optional<Node> ParseGameFile(std::string_view bytes);
// Every published property of a live element and its subtree, read through the getters.
Node NodeFromElement(const scene::TOxElement& element);
// The registered element classes must be known before any of these is used.
void EnsureClassesRegistered();

}  // namespace ox::gamefile
