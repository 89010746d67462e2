// Level progress: the points a level screen offers (crystals, hidden objects, actions and logic
// puzzles) totalled on the screen with which actions and puzzles are shown, and the progress
// bars that compare the points earned with that total, for one level and for the whole map.
// An item is earned once it is gone: a crystal or hidden object hidden, an action or puzzle
// whose record on the screen ("A[i]", "LG[j]", which the total starts from its being shown)
// is 0.
#include <algorithm>

#include "platform/core/checked.h"
#include "platform/text/case1251.h"
#include "scriptlib/element_paths.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

using elements::TOxImage;

constexpr std::int32_t kCrystalPoints = 3;
constexpr std::int32_t kFindPoints = 1;
constexpr std::int32_t kActionPoints = 5;
constexpr std::int32_t kLogicPoints = 10;
constexpr const char* kLevelScreenPrefix = "LEVEL";

// A scoring item of a level screen. Actions and puzzles are numbered from 1 in screen order;
// `shown` is the item's Vis and, one level down, its group's too.
struct LevelItem {
  enum Kind { kCrystal, kFindGroup, kAction, kPuzzle } kind;
  const TOxImage& item;
  std::int32_t number;
  bool shown;
};

// Visits a level screen's scoring items: its pictures, and the actions and puzzles one level
// down inside a picture that is none of those.
template <class Visit>
void ForEachLevelItem(const scene::TOxElement& screen, Visit visit) {
  std::int32_t actions = 0, puzzles = 0;
  auto marked = [&](const TOxImage& item, bool shown) {
    if (item.Tag == "ACT") visit(LevelItem{LevelItem::kAction, item, actions = CheckedAdd(actions, 1), shown});
    else if (item.Tag == "LOG") visit(LevelItem{LevelItem::kPuzzle, item, puzzles = CheckedAdd(puzzles, 1), shown});
    else return false;
    return true;
  };
  for (const auto& child : screen.Children()) {
    const auto* item = dynamic_cast<const TOxImage*>(child.get());
    if (item == nullptr) continue;
    if (platform::UpperCase1251(item->Id) == "KRIST") {
      visit(LevelItem{LevelItem::kCrystal, *item, 0, item->Vis});
    } else if (item->Tag == "FIND") {
      visit(LevelItem{LevelItem::kFindGroup, *item, 0, item->Vis});
    } else if (!marked(*item, item->Vis)) {
      for (const auto& inner : item->Children()) {
        if (const auto* piece = dynamic_cast<const TOxImage*>(inner.get())) marked(*piece, piece->Vis && item->Vis);
      }
    }
  }
}

std::string RecordName(const LevelItem& item) {
  return (item.kind == LevelItem::kAction ? "A[" : "LG[") + std::to_string(item.number) + "]";
}

std::int32_t Points(const LevelItem& item) {
  switch (item.kind) {
    case LevelItem::kCrystal: return kCrystalPoints;
    case LevelItem::kFindGroup: return CheckedInt32(static_cast<std::int64_t>(item.item.Children().size()) * kFindPoints);
    case LevelItem::kAction: return kActionPoints;
    case LevelItem::kPuzzle: return kLogicPoints;
  }
  return 0;
}

// The points of the screen's items that are earned; actions only when asked for.
std::int64_t EarnedPoints(scene::TOxElement& screen, bool withActions) {
  std::int64_t earned = 0;
  ForEachLevelItem(screen, [&](const LevelItem& item) {
    switch (item.kind) {
      case LevelItem::kCrystal:
        if (!item.shown) earned += kCrystalPoints;
        break;
      case LevelItem::kFindGroup:
        for (const auto& found : item.item.Children()) earned += found->Vis ? 0 : kFindPoints;
        break;
      case LevelItem::kAction:
      case LevelItem::kPuzzle:
        if (item.kind == LevelItem::kAction && !withActions) break;
        if (NumberAt(screen, RecordName(item)) == std::optional<std::int64_t>{0}) earned += Points(item);
        break;
    }
  });
  return earned;
}

// The share of `total` earned, within 0 ... 1.
double Share(std::int64_t earned, std::int64_t total) {
  return std::clamp(static_cast<double>(earned) / static_cast<double>(total), 0.0, 1.0);
}

}  // namespace

void TotalLevelPoints(elements::TOxScreen& screen, TVarList&) {
  std::int32_t total = 0;
  ForEachLevelItem(screen, [&](const LevelItem& item) {
    total = CheckedAdd(total, Points(item));
    if (item.kind == LevelItem::kAction || item.kind == LevelItem::kPuzzle) {
      SetElementVar(screen, RecordName(item), Value::Int32(item.shown ? 1 : 0));
    }
  });
  SetElementVar(screen, "ENDCN", Value::Int32(total));
  SetElementVar(screen, "ENDAN", Value::Int32(0));
}

// The level's progress bar: its ScaleX is the share of the level screen's (".SCR") total earned,
// counting crystals, hidden objects and puzzles, and the action points in "ENDAN". While the
// level is unfinished the bar and its back (".PRB") show; once finished the full mark (".PRF")
// does instead, and the animation ".PRAN" plays from its start.
void ShowLevelProgress(TOxImage& bar, TVarList&) {
  scene::TOxElement* screen = ElementAt(bar, ".SCR");
  const std::optional<std::int64_t> total = NumberAt(bar, ".SCR.ENDCN");
  if (screen == nullptr || !total || *total <= 0) return;
  const std::int64_t earned = EarnedPoints(*screen, false) + NumberAt(bar, ".SCR.ENDAN").value_or(0);
  const double share = Share(earned, *total);
  const bool finished = share >= 1.0;
  const bool wasFinished = NumberAt(bar, ".PRF.VIS").value_or(0) != 0;
  SetAt(bar, "SCALEX", Value::Float(share));
  bar.SetHxTrans(finished ? 0 : 255);
  SetAt(bar, ".PRB.VIS", Value::Int32(finished ? 0 : 1));
  SetAt(bar, ".PRF.VIS", Value::Int32(finished ? 1 : 0));
  if (!finished || wasFinished) return;
  SetAt(bar, ".PRAN.VIS", Value::Int32(1));
  SetAt(bar, ".PRAN.POS", Value::Int32(0));
  SetAt(bar, ".PRAN.ACTIVE", Value::Int32(1));
}

// The map's progress bar: its ScaleX is the share earned of the totals ("ENDCN") of every level
// screen (a screen of the root whose Id begins with "Level"), actions included.
void ShowMapProgress(TOxImage& bar, TVarList&) {
  scene::TOxElement* root = bar.Root();
  if (root == nullptr) return;
  std::int64_t earned = 0, total = 0;
  for (const auto& child : root->Children()) {
    auto* screen = dynamic_cast<elements::TOxScreen*>(child.get());
    if (screen == nullptr || !platform::UpperCase1251(screen->Id).starts_with(kLevelScreenPrefix)) continue;
    const std::optional<std::int64_t> levelTotal = NumberAt(*screen, "ENDCN");
    if (!levelTotal || *levelTotal <= 0) continue;
    total += std::min<std::int64_t>(*levelTotal, INT32_MAX);
    earned += EarnedPoints(*screen, true);
  }
  if (total > 0) SetAt(bar, "SCALEX", Value::Float(Share(earned, total)));
}

}  // namespace ox::scriptlib
