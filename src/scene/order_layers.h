// OrderLayers: the distinct `Order` values of a tree, for the layer walks of drawing and hit
// testing. Kept sorted and gathered again only after an Order changes or an element joins or
// leaves the tree, so a walk costs what the layers present cost, not the span between them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace ox::scene {

class TOxElement;

class OrderLayers {
 public:
  // Something in the tree may have another Order now.
  void Changed() { stale_ = true; }
  // The lowest Order in `tree` at or above `from`, or none.
  std::optional<std::int32_t> AtOrAbove(const TOxElement& tree, std::int64_t from);
  // The highest Order in `tree` at or below `from`, or none.
  std::optional<std::int32_t> AtOrBelow(const TOxElement& tree, std::int64_t from);

 private:
  const std::vector<std::int32_t>& Values(const TOxElement& tree);

  std::vector<std::int32_t> values_;
  bool stale_ = true;
};

}  // namespace ox::scene
