#include "render/font_tags.h"

#include <optional>

namespace ox::render {
namespace {

constexpr std::size_t kTagLength = 10;

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
  std::uint32_t value = 0;
  for (const char c : digits) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

}  // namespace

void TTagScanner::SkipTag(char lead, char second, std::uint32_t* first, std::uint32_t* other) {
  if (text_.size() - at_ < kTagLength || text_[at_] != lead || text_[at_ + 1] != second) return;
  if (const std::optional<std::uint32_t> value = ParseHex(text_.substr(at_ + 2, 8))) {
    *first = *value;
    if (other != nullptr) *other = *value;
  }
  at_ += kTagLength;
}

bool TTagScanner::Next(TTaggedChar& next) {
  if (tags_ && at_ < text_.size()) {
    SkipTag('#', '$', &top_, nullptr);
    SkipTag('&', '$', &bottom_, nullptr);
    SkipTag('0', 'x', &top_, &bottom_);
  }
  if (at_ >= text_.size()) return false;
  next = {static_cast<std::uint8_t>(text_[at_++]), top_, bottom_};
  return true;
}

}  // namespace ox::render
