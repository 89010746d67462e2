// The pie sector of a shape as a picture: the part of the ellipse inscribed in a width x height
// box between two radial points, white where it is filled and transparent black elsewhere.
// Pixels are set whole (no antialiasing), by whether their centre lies in the sector.
#pragma once

#include <cstdint>
#include <vector>

namespace ox::elements {

// The point where the radial line of an angle meets the box: degrees clockwise from the top
// of the ellipse, rounded to whole pixels.
struct RadialPoint {
  std::int64_t x = 0, y = 0;
  bool operator==(const RadialPoint&) const = default;
};
RadialPoint RadialPointOf(std::int32_t width, std::int32_t height, double degrees);

// width x height colours in device order, row by row. The sector runs counterclockwise on the
// screen from the line through `first` to the line through `second`, both from the centre; two
// radial points that coincide make the whole disc. Width and height must be at least 1.
std::vector<std::uint32_t> RasterisePie(std::int32_t width, std::int32_t height,
                                        RadialPoint first, RadialPoint second);

inline constexpr std::uint32_t kPieFilled = 0xFFFFFFFFu;
inline constexpr std::uint32_t kPieEmpty = 0x00000000u;

}  // namespace ox::elements
