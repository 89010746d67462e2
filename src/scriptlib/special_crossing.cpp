// Untangle puzzles: the player drags node pictures about until none of the lines joining them
// cross. The check sets the puzzle's "WIN" to 1 at that moment; the drawing paints every line as
// a band, red while it still cuts another and green once it is free, and adds a grey that throbs
// with the puzzle's "DT".
#include <cmath>

#include "elements/drawing.h"
#include "scriptlib/crossing_lines.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

constexpr std::int64_t kNodeCentre = 25;  // a node picture's centre from its top left
constexpr std::size_t kHubRingNodes = 10;
constexpr std::uint32_t kCrossedBand = 0x7F0000FF;
constexpr std::uint32_t kClearBand = 0x7F00FF00;
constexpr float kBandHalfWidth = 3;

// The edges of a layout of so many nodes; none when it has too few for them.
using EdgeLayout = std::vector<Edge> (*)(std::size_t nodes);

// The hub ring: nodes 0 ... 7 in a ring, 0 ... 3 joined to hub 8, 4 ... 7 to hub 9, and the
// two hubs to each other.
std::vector<Edge> HubRingEdges(std::size_t nodes) {
  std::vector<Edge> edges;
  if (nodes < kHubRingNodes) return edges;
  for (int i = 0; i < 8; ++i) edges.push_back({i, (i + 1) % 8});
  for (int i = 0; i < 4; ++i) edges.push_back({i, 8});
  for (int i = 4; i < 8; ++i) edges.push_back({i, 9});
  edges.push_back({8, 9});
  return edges;
}

// The ring: every node joined to the next, the last to the first.
std::vector<Edge> RingEdges(std::size_t nodes) {
  std::vector<Edge> edges;
  for (std::size_t i = 0; nodes > 1 && i < nodes; ++i) edges.push_back({static_cast<int>(i), static_cast<int>((i + 1) % nodes)});
  return edges;
}

// The centres of the nodes: the children of the puzzle's first child, when that is a picture.
std::vector<IntPoint> NodeCentres(const elements::TOxImage& puzzle) {
  std::vector<IntPoint> centres;
  if (puzzle.Children().empty()) return centres;
  const auto* layout = dynamic_cast<const elements::TOxImage*>(puzzle.Children().front().get());
  if (layout == nullptr) return centres;
  for (const auto& node : layout->Children()) centres.push_back({node->GetAbsX() + kNodeCentre, node->GetAbsY() + kNodeCentre});
  return centres;
}

struct Puzzle {
  std::vector<IntPoint> nodes;
  std::vector<Edge> edges;
  std::vector<bool> marked;
};

// Empty when the layout has too few nodes for the edges.
std::optional<Puzzle> MakePuzzle(const elements::TOxImage& picture, EdgeLayout layout) {
  std::vector<IntPoint> nodes = NodeCentres(picture);
  std::vector<Edge> edges = layout(nodes.size());
  if (edges.empty()) return std::nullopt;
  std::vector<bool> marked = MarkCrossings(nodes, edges);
  return Puzzle{std::move(nodes), std::move(edges), std::move(marked)};
}

void SetWin(elements::TOxImage& picture, const std::optional<Puzzle>& puzzle) {
  if (!puzzle) return;
  const bool solved = std::none_of(puzzle->marked.begin(), puzzle->marked.end(), [](bool m) { return m; });
  SetElementVar(picture, "WIN", Value::Int32(solved ? 1 : 0));
}

// The grey pulses with the puzzle's "DT": down from 112 over 30 steps, then up from 83.
std::uint32_t PulseGrey(elements::TOxImage& picture) {
  Value dt;
  std::int64_t t = 0;
  if (picture.GetVar("DT", dt)) t = AsInteger64(dt) % 60;
  const std::int64_t g = t < 30 ? 112 - t % 30 : t % 30 + 83;
  const auto level = static_cast<std::uint32_t>(g) & 0xFF;
  return 0xFF000000u | level << 16 | level << 8 | level;
}

void DrawBand(render::TAsphyreCanvas& canvas, IntPoint from, IntPoint to, std::uint32_t colour, std::uint32_t effect) {
  const render::TPoint2 p0{static_cast<float>(from.x), static_cast<float>(from.y)};
  const render::TPoint2 p1{static_cast<float>(to.x), static_cast<float>(to.y)};
  const float a = std::atan2(p1.x - p0.x, p1.y - p0.y);
  const render::TPoint2 o{kBandHalfWidth * std::cos(a), -kBandHalfWidth * std::sin(a)};
  auto plus = [](render::TPoint2 p, render::TPoint2 d) { return render::TPoint2{p.x + d.x, p.y + d.y}; };
  auto minus = [](render::TPoint2 p, render::TPoint2 d) { return render::TPoint2{p.x - d.x, p.y - d.y}; };
  canvas.FillTriangle(plus(p0, o), minus(p0, o), plus(p1, o), colour, effect);
  canvas.FillTriangle(plus(p1, o), minus(p1, o), minus(p0, o), colour, effect);
}

void DrawPuzzle(elements::TOxImage& picture, const std::optional<Puzzle>& puzzle) {
  render::TAsphyreCanvas* canvas = elements::Canvas();
  if (!puzzle || canvas == nullptr) return;
  canvas->SetAntialias(true);
  const std::uint32_t grey = PulseGrey(picture);
  for (std::size_t i = 0; i < puzzle->edges.size(); ++i) {
    const IntPoint from = puzzle->nodes[static_cast<std::size_t>(puzzle->edges[i].from)];
    const IntPoint to = puzzle->nodes[static_cast<std::size_t>(puzzle->edges[i].to)];
    DrawBand(*canvas, from, to, puzzle->marked[i] ? kCrossedBand : kClearBand, render::kFxBlend);
    DrawBand(*canvas, from, to, grey, render::kFxAdd);
  }
}

}  // namespace

void DrawHubRingPuzzle(elements::TOxImage& puzzle, TVarList&) { DrawPuzzle(puzzle, MakePuzzle(puzzle, HubRingEdges)); }
void CheckHubRingPuzzle(elements::TOxImage& puzzle, TVarList&) { SetWin(puzzle, MakePuzzle(puzzle, HubRingEdges)); }
void DrawRingPuzzle(elements::TOxImage& puzzle, TVarList&) { DrawPuzzle(puzzle, MakePuzzle(puzzle, RingEdges)); }
void CheckRingPuzzle(elements::TOxImage& puzzle, TVarList&) { SetWin(puzzle, MakePuzzle(puzzle, RingEdges)); }

}  // namespace ox::scriptlib
