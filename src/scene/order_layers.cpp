#include "scene/order_layers.h"

#include <algorithm>

#include "scene/element.h"

namespace ox::scene {

namespace {

void Gather(const TOxElement& element, std::vector<std::int32_t>& out) {
  out.push_back(element.Order);
  for (const auto& child : element.Children()) Gather(*child, out);
}

}  // namespace

const std::vector<std::int32_t>& OrderLayers::Values(const TOxElement& tree) {
  if (stale_) {
    values_.clear();
    Gather(tree, values_);
    std::sort(values_.begin(), values_.end());
    values_.erase(std::unique(values_.begin(), values_.end()), values_.end());
    stale_ = false;
  }
  return values_;
}

std::optional<std::int32_t> OrderLayers::AtOrAbove(const TOxElement& tree, std::int64_t from) {
  const auto& values = Values(tree);
  auto it = std::lower_bound(values.begin(), values.end(), from,
                             [](std::int32_t value, std::int64_t n) { return value < n; });
  if (it == values.end()) return std::nullopt;
  return *it;
}

std::optional<std::int32_t> OrderLayers::AtOrBelow(const TOxElement& tree, std::int64_t from) {
  const auto& values = Values(tree);
  auto it = std::upper_bound(values.begin(), values.end(), from,
                             [](std::int64_t n, std::int32_t value) { return n < value; });
  if (it == values.begin()) return std::nullopt;
  return *std::prev(it);
}

}  // namespace ox::scene
