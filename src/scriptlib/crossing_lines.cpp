#include "scriptlib/crossing_lines.h"

#include <algorithm>

namespace ox::scriptlib {

namespace {

bool BoxesOverlap(IntPoint a, IntPoint b, IntPoint c, IntPoint d) {
  return std::max(a.x, b.x) >= std::min(c.x, d.x) && std::max(c.x, d.x) >= std::min(a.x, b.x) &&
         std::max(a.y, b.y) >= std::min(c.y, d.y) && std::max(c.y, d.y) >= std::min(a.y, b.y);
}

}  // namespace

bool SegmentsCross(IntPoint a, IntPoint b, IntPoint c, IntPoint d) {
  if (a == c || a == d || b == c || b == d) return false;
  if (!BoxesOverlap(a, b, c, d)) return false;
  const IntPoint r{b.x - a.x, b.y - a.y}, s{d.x - c.x, d.y - c.y};
  std::int64_t det = r.x * s.y - r.y * s.x;
  if (det == 0) return false;
  // t = (C - A) x S / det and u = (C - A) x R / det, both in [0, 1]; the signs are made
  // positive so the bounds compare without dividing.
  std::int64_t t = (c.x - a.x) * s.y - (c.y - a.y) * s.x;
  std::int64_t u = (c.x - a.x) * r.y - (c.y - a.y) * r.x;
  if (det < 0) {
    det = -det;
    t = -t;
    u = -u;
  }
  return t >= 0 && t <= det && u >= 0 && u <= det;
}

std::vector<bool> MarkCrossings(const std::vector<IntPoint>& nodes, const std::vector<Edge>& edges) {
  std::vector<bool> marked(edges.size(), false);
  for (std::size_t i = 0; i < edges.size(); ++i) {
    for (std::size_t j = 0; j < edges.size() && !marked[i]; ++j) {
      if (i == j) continue;
      const Edge e = edges[i], f = edges[j];
      marked[i] = SegmentsCross(nodes[e.from], nodes[e.to], nodes[f.from], nodes[f.to]);
    }
  }
  return marked;
}

}  // namespace ox::scriptlib
