// The crossing-lines puzzle: nodes joined by edges, solved when no two edges cross.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace ox::scriptlib {

struct IntPoint {
  std::int64_t x = 0, y = 0;
  bool operator==(const IntPoint&) const = default;
};

// Segments AB and CD cross when they share no end point, their bounding boxes overlap, they are
// not parallel, and the intersection lies within both (ends included).
bool SegmentsCross(IntPoint a, IntPoint b, IntPoint c, IntPoint d);

struct Edge {
  int from, to;
};

// For each edge: whether it crosses any other edge.
std::vector<bool> MarkCrossings(const std::vector<IntPoint>& nodes, const std::vector<Edge>& edges);

}  // namespace ox::scriptlib
