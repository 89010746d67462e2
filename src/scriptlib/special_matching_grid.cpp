// The matching grid: a 9 x 9 grid of cells, each showing one of six patterns. Connected cells
// of the same pattern form a group; every cell is labelled with its group's number (Tag), the
// cells of groups of three or more show their pattern's matched look (pattern + 6), and the
// size of the largest group is kept in "MMX".
#include <array>
#include <vector>

#include "platform/text/case1251.h"
#include "scriptlib/element_paths.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

using elements::TOxImage;

constexpr int kSide = 9;
constexpr int kPatterns = 6;  // patterns 0 ... 5; 6 ... 11 show them matched
constexpr std::size_t kLeastMatch = 3;
constexpr const char* kCellId = "X";

// The cells, row by row: the pictures named "x" in the grid's "L"; none unless there are 81.
std::vector<TOxImage*> Cells(scene::TOxElement& grid) {
  std::vector<TOxImage*> cells;
  scene::TOxElement* holder = ElementAt(grid, "L");
  if (holder == nullptr) return cells;
  for (TOxImage* cell : PicturesIn(*holder)) {
    if (platform::UpperCase1251(cell->Id) == kCellId && cells.size() < kSide * kSide) cells.push_back(cell);
  }
  if (cells.size() < kSide * kSide) cells.clear();
  return cells;
}

bool Playable(const TOxImage& cell) { return cell.Vis && cell.Anim() >= 0 && cell.Anim() < kPatterns; }

// The cells connected to `start` through neighbours (left, right, up, down) of its pattern.
std::vector<int> GroupOf(const std::vector<TOxImage*>& cells, int start, std::vector<bool>& seen) {
  std::vector<int> group{start};
  seen[static_cast<std::size_t>(start)] = true;
  for (std::size_t next = 0; next < group.size(); ++next) {
    const int at = group[next];
    const int row = at / kSide, col = at % kSide;
    const std::array<std::array<int, 2>, 4> around{{{row - 1, col}, {row + 1, col}, {row, col - 1}, {row, col + 1}}};
    for (const auto& [r, c] : around) {
      if (r < 0 || r >= kSide || c < 0 || c >= kSide) continue;
      const auto n = static_cast<std::size_t>(r * kSide + c);
      if (seen[n] || !Playable(*cells[n]) || cells[n]->Anim() != cells[static_cast<std::size_t>(at)]->Anim()) continue;
      seen[n] = true;
      group.push_back(static_cast<int>(n));
    }
  }
  return group;
}

}  // namespace

void MarkMatchedGroups(scene::TOxElement& grid, TVarList&) {
  const std::vector<TOxImage*> cells = Cells(grid);
  if (cells.empty()) return;
  for (TOxImage* cell : cells) {
    if (cell->Anim() >= kPatterns && cell->Anim() < 2 * kPatterns) cell->SetAnim(cell->Anim() - kPatterns);
    cell->Tag.clear();
  }
  std::vector<bool> seen(cells.size(), false);
  std::size_t largest = 0;
  int label = 0;
  for (int i = 0; i < kSide * kSide; ++i) {
    if (seen[static_cast<std::size_t>(i)] || !Playable(*cells[static_cast<std::size_t>(i)])) continue;
    const std::vector<int> group = GroupOf(cells, i, seen);
    ++label;
    largest = std::max(largest, group.size());
    for (int at : group) {
      TOxImage& cell = *cells[static_cast<std::size_t>(at)];
      cell.Tag = std::to_string(label);
      if (group.size() >= kLeastMatch) cell.SetAnim(cell.Anim() + kPatterns);
    }
  }
  SetVariableAt(grid, "MMX", Value::Int32(static_cast<std::int32_t>(largest)));
}

}  // namespace ox::scriptlib
