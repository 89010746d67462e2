#include "scene/star_pool.h"

#include <algorithm>
#include <charconv>
#include <limits>

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
  static_cast<StarMotion&>(star) = m;
  star.active = true;
  ++liveByLayer_[layer];
  return true;
}

void StarPool::UpdateStars() {
  if (liveByLayer_.empty()) return;  // no live star: spare the walk over every slot
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
      if (const auto on = liveByLayer_.find(star.layer); --on->second == 0) liveByLayer_.erase(on);
    }
  }
}

void StarPool::FreeAll() {
  for (TStar& star : slots_) star.active = false;
  firstFree_ = 0;
  liveByLayer_.clear();
}

std::size_t StarPool::LiveCount() const {
  std::size_t live = 0;
  for (const auto& [layer, count] : liveByLayer_) live += count;
  return live;
}

std::optional<std::int32_t> StarPool::LayerAtOrAbove(std::int64_t from) const {
  if (from > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
  const auto on = liveByLayer_.lower_bound(static_cast<std::int32_t>(std::max(from, kLowest)));
  return on == liveByLayer_.end() ? std::nullopt : std::optional<std::int32_t>(on->first);
}

std::size_t StarPool::LiveOn(std::int32_t layer) const {
  const auto on = liveByLayer_.find(layer);
  return on == liveByLayer_.end() ? 0 : on->second;
}

}  // namespace ox::scene
