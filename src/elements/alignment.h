// Alignment of an element's area to its position: which point of the area X and Y name.
#pragma once

#include <cstdint>

#include "platform/core/checked.h"

namespace ox::elements {

// The ordinals of TOxPosHor and TOxPosVert: the near edge (left, top), the centre, the far edge.
inline constexpr std::int32_t kAlignNear = 0;
inline constexpr std::int32_t kAlignCenter = 1;
inline constexpr std::int32_t kAlignFar = 2;

// The origin of an area of the given size whose aligned point is at pos (integer division
// truncating toward zero).
inline std::int32_t AlignedOrigin(std::int32_t pos, std::int32_t size, std::int32_t alignment) {
  switch (alignment) {
    case kAlignCenter: return CheckedSub(pos, size / 2);
    case kAlignFar: return CheckedSub(pos, size);
    default: return pos;
  }
}

// How far the area's origin lies before its aligned point, in floating point.
inline double AlignmentShift(double size, std::int32_t alignment) {
  switch (alignment) {
    case kAlignCenter: return size / 2;
    case kAlignFar: return size;
    default: return 0.0;
  }
}

}  // namespace ox::elements
