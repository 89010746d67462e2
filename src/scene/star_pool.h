// The star sprites: a fixed pool of 5,001 small additive glows that scripts and the puzzle
// and sparkle functions spawn for sparkles, trails and bursts. A star is no element: it has no
// script, takes no hits and is not saved. Each moves, turns and shrinks by its own speeds once
// per tick and dies when its scale is no longer above 0. Stars are drawn after the layer they
// name, or after all layers with layer 1000 (see elements/star_drawing.h).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ox::scene {

// Where a star is and how it moves, in the order scripts pass them.
struct StarMotion {
  double angle = 0;     // degrees
  double x = 0, y = 0;  // centre, window pixels
  double scale = 0;
  double angleSpeed = 0, scaleSpeed = 0, xSpeed = 0, ySpeed = 0;  // per tick
};

struct TStar : StarMotion {
  std::int32_t pattern = 0;  // pattern of the particle texture
  std::int32_t layer = 0;    // the Order after which it is drawn; 1000 after all
  std::int32_t effect = 0;   // kept as given; stars always draw additively
  bool active = false;
  std::uint32_t colour = 0;  // RGB, red in the low byte
};

class StarPool {
 public:
  static constexpr std::size_t kSlots = 5001;
  static constexpr std::int32_t kAfterAllLayers = 1000;
  // The effect of stars that games do not give one (kept only: stars draw additively).
  static constexpr std::int32_t kDefaultEffect = 260;

  // Fills the first free slot; false when all are live. The colour text is read as a decimal
  // integer and its low 24 bits kept; no text gives a random colour, and a text that is no
  // number leaves the colour the slot held before.
  bool AddStar(std::int32_t pattern, std::optional<std::string_view> colourText, std::int32_t effect,
               std::int32_t layer, const StarMotion& motion);
  // One tick of every live star.
  void UpdateStars();
  // A screen switch: every slot becomes free.
  void FreeAll();

  // The lowest layer at or above `from` on which a live star stands, for the frame's layer walk.
  std::optional<std::int32_t> LayerAtOrAbove(std::int64_t from) const;
  // The number of live stars on the layer, so a layer without any is passed over.
  std::size_t LiveOn(std::int32_t layer) const;

  std::span<const TStar> Slots() const { return slots_; }
  std::size_t LiveCount() const;

 private:
  std::vector<TStar> slots_ = std::vector<TStar>(kSlots);
  std::size_t firstFree_ = 0;  // no slot below it is free
  std::map<std::int32_t, std::size_t> liveByLayer_;  // layers with live stars, and how many
};

}  // namespace ox::scene
