// Colour tags inside the strings that fonts draw. Before each character, in this order:
//   "#$" and eight hexadecimal digits set the top colour,
//   "&$" and eight hexadecimal digits set the bottom colour,
//   "0x" and eight hexadecimal digits set both;
// each tag is ten characters, neither drawn nor measured. Digits that do not read as a
// hexadecimal number leave the colour as it was, and the ten characters are still skipped; a
// tag needs its ten characters inside the string. Each kind is looked for once per character,
// so a second tag of a kind already passed is drawn as text.
#pragma once

#include <cstdint>
#include <string_view>

namespace ox::render {

struct TTaggedChar {
  std::uint8_t code = 0;
  std::uint32_t top = 0;
  std::uint32_t bottom = 0;
};

// The characters of a string as drawn, each with the colours in force for it; with tags off
// every character is drawn as it is.
class TTagScanner {
 public:
  TTagScanner(std::string_view text, bool tags, std::uint32_t top, std::uint32_t bottom)
      : text_(text), tags_(tags), top_(top), bottom_(bottom) {}

  // False at the end of the string.
  bool Next(TTaggedChar& next);

 private:
  // Skips a tag of `lead` + `second` at the position, storing its value into the colours given.
  void SkipTag(char lead, char second, std::uint32_t* first, std::uint32_t* other);

  std::string_view text_;
  bool tags_;
  std::uint32_t top_;
  std::uint32_t bottom_;
  std::size_t at_ = 0;
};

}  // namespace ox::render
