// Level progress: the points a level screen offers (crystals, hidden objects, actions and logic
// puzzles), totalled on the screen, with which actions and puzzles are done.
#include "platform/core/checked.h"
#include "platform/text/case1251.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

constexpr std::int32_t kCrystalPoints = 3;
constexpr std::int32_t kFindPoints = 1;
constexpr std::int32_t kActionPoints = 5;
constexpr std::int32_t kLogicPoints = 10;

class LevelProgress {
 public:
  explicit LevelProgress(scene::TOxElement& screen) : screen_(screen) {}

  void Count(const elements::TOxImage& item) {
    if (platform::UpperCase1251(item.Id) == "KRIST") {
      Add(kCrystalPoints);
    } else if (item.Tag == "FIND") {
      for (std::size_t i = 0; i < item.Children().size(); ++i) Add(kFindPoints);
    } else if (!CountMarked(item, item.Vis)) {
      for (const auto& child : item.Children()) {
        if (const auto* piece = dynamic_cast<const elements::TOxImage*>(child.get())) CountMarked(*piece, piece->Vis && item.Vis);
      }
    }
  }
  void Finish() {
    SetElementVar(screen_, "ENDCN", Value::Int32(total_));
    SetElementVar(screen_, "ENDAN", Value::Int32(0));
  }

 private:
  // An action ("ACT") or a logic puzzle ("LOG"): its points, and whether it is done.
  bool CountMarked(const elements::TOxImage& item, bool done) {
    if (item.Tag == "ACT") {
      actions_ = CheckedAdd(actions_, 1);
      Add(kActionPoints);
      SetElementVar(screen_, "A[" + std::to_string(actions_) + "]", Value::Int32(done ? 1 : 0));
      return true;
    }
    if (item.Tag == "LOG") {
      puzzles_ = CheckedAdd(puzzles_, 1);
      Add(kLogicPoints);
      SetElementVar(screen_, "LG[" + std::to_string(puzzles_) + "]", Value::Int32(done ? 1 : 0));
      return true;
    }
    return false;
  }
  void Add(std::int32_t points) { total_ = CheckedAdd(total_, points); }

  scene::TOxElement& screen_;
  std::int32_t total_ = 0, actions_ = 0, puzzles_ = 0;
};

}  // namespace

void TotalLevelPoints(elements::TOxScreen& screen, TVarList&) {
  LevelProgress progress(screen);
  for (const auto& child : screen.Children()) {
    if (const auto* item = dynamic_cast<const elements::TOxImage*>(child.get())) progress.Count(*item);
  }
  progress.Finish();
}

}  // namespace ox::scriptlib
