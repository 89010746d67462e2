#include "scene/star_pool.h"

#include <algorithm>
#include <charconv>

#include "platform/core/random.h"

namespace ox::scene {

namespace {

constexpr std::uint32_t kColourMask = 0xFFFFFF;

std::optional<std::uint32_t> DecimalColour(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return static_cast<std::uint32_t>(value) & kColourMask;
}

}  // namespace

bool StarPool::AddStar(std::int32_t pattern, std::optional<std::string_view> colourText, std::int32_t effect,
                       std::int32_t layer, const StarMotion& m) {
  while (firstFree_ < kSlots && slots_[firstFree_].active) ++firstFree_;
  if (firstFree_ == kSlots) return false;
  TStar& star = slots_[firstFree_];
  if (!colourText) {
    star.colour = static_cast<std::uint32_t>(platform::RandomBelow(0xFFFFFF));
  } else if (const std::optional<std::uint32_t> colour = DecimalColour(*colourText)) {
    star.colour = *colour;
  }
  star.pattern = pattern;
  star.effect = effect;
  star.layer = layer;
  star.angle = m.angle;
  star.x = m.x;
  star.y = m.y;
  star.scale = m.scale;
  star.angleSpeed = m.angleSpeed;
  star.scaleSpeed = m.scaleSpeed;
  star.xSpeed = m.xSpeed;
  star.ySpeed = m.ySpeed;
  star.active = true;
  return true;
}

void StarPool::UpdateStars() {
  for (std::size_t i = 0; i < kSlots; ++i) {
    TStar& star = slots_[i];
    if (!star.active) continue;
    star.angle += star.angleSpeed;
    star.x += star.xSpeed;
    star.y += star.ySpeed;
    star.scale += star.scaleSpeed;
    if (!(star.scale > 0)) {
      star.active = false;
      firstFree_ = std::min(firstFree_, i);
    }
  }
}

void StarPool::FreeAll() {
  for (TStar& star : slots_) star.active = false;
  firstFree_ = 0;
}

std::size_t StarPool::LiveCount() const {
  return static_cast<std::size_t>(std::count_if(slots_.begin(), slots_.end(), [](const TStar& s) { return s.active; }));
}

std::optional<std::int32_t> StarPool::LayerAtOrAbove(std::int64_t from) const {
  std::optional<std::int32_t> lowest;
  for (const TStar& star : slots_) {
    if (star.active && star.layer >= from && (!lowest || star.layer < *lowest)) lowest = star.layer;
  }
  return lowest;
}

}  // namespace ox::scene
