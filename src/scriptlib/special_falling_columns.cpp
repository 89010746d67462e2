// Column-drop puzzles: the pictures inside a container slide straight down until they land on
// another picture or on the floor. Pictures whose Tag is "*" fade away and drop out of play,
// fresh ones fade up, and when nothing is moving a hidden picture is reused as a new piece with
// a random pattern, placed above the topmost one.
#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/core/checked.h"
#include "platform/core/random.h"
#include "scriptlib/element_paths.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

using elements::TOxImage;

constexpr std::int32_t kFallStep = 10;
constexpr std::int32_t kFloor = 400;
constexpr std::int32_t kLowFloor = 450;  // the floor of pieces whose pattern is above 11
constexpr std::int32_t kLowFloorAbovePattern = 11;
constexpr std::int32_t kUnloadedPieceHeight = 50;  // a piece whose picture has no size yet
constexpr int kFadeStep = 50;
constexpr const char* kMatchedTag = "*";

// The variables, from the piece container, that hold how many patterns a new piece draws from.
constexpr std::string_view kParentCounts = ".COLS";
constexpr std::string_view kGrandparentCounts = "..COLS";

std::int32_t Height(const TOxImage& piece) {
  const std::int32_t h = piece.GetSizeY();
  return h > 0 ? h : kUnloadedPieceHeight;
}

std::int32_t FloorOf(const TOxImage& piece) { return piece.Anim() > kLowFloorAbovePattern ? kLowFloor : kFloor; }

// Matched pieces fade out and leave play; pieces that are not fully shown fade in. True when
// any piece faded.
bool Fade(const std::vector<TOxImage*>& pieces) {
  bool faded = false;
  for (TOxImage* piece : pieces) {
    if (!piece->Vis) continue;
    const int trans = piece->hxTrans();
    if (piece->Tag == kMatchedTag) {
      piece->SetHxTrans(static_cast<std::uint8_t>(std::max(trans - kFadeStep, 0)));
      if (piece->hxTrans() == 0) {
        piece->SetVis(false);
        piece->Tag.clear();
      }
      faded = true;
    } else if (trans < 255) {
      piece->SetHxTrans(static_cast<std::uint8_t>(std::min(trans + kFadeStep, 255)));
      faded = true;
    }
  }
  return faded;
}

struct Fall {
  bool moved = false;
  bool reachedFloor = false;
};

// Every visible piece not fading out falls one step, the lowest first, so a stack falls together.
Fall Drop(std::vector<TOxImage*> pieces) {
  std::erase_if(pieces, [](const TOxImage* p) { return !p->Vis; });
  std::stable_sort(pieces.begin(), pieces.end(), [](const TOxImage* a, const TOxImage* b) { return a->Y() > b->Y(); });
  Fall fall;
  for (TOxImage* piece : pieces) {
    if (piece->Tag == kMatchedTag) continue;
    const std::int32_t y = piece->Y();
    std::int32_t rest = FloorOf(*piece);
    bool onFloor = true;
    for (const TOxImage* below : pieces) {
      if (below == piece || below->X() != piece->X() || below->Y() <= y) continue;
      const std::int32_t top = CheckedSub(below->Y(), Height(*piece));
      if (top < rest) {
        rest = top;
        onFloor = false;
      }
    }
    if (y >= rest) continue;
    const std::int32_t next = std::min(CheckedAdd(y, kFallStep), rest);
    piece->SetY(next);
    fall.moved = true;
    fall.reachedFloor |= onFloor && next == rest;
  }
  return fall;
}

// Brings the first hidden piece back as a new piece of a random pattern, above the highest
// visible piece (or just above the container's top), fading in. True when one came.
bool DropNewPiece(const std::vector<TOxImage*>& pieces, std::int64_t patterns) {
  const auto hidden = std::find_if(pieces.begin(), pieces.end(), [](const TOxImage* p) { return !p->Vis; });
  if (patterns < 1 || hidden == pieces.end()) return false;
  TOxImage& piece = **hidden;
  std::optional<std::int32_t> top;  // the highest visible piece's y
  for (const TOxImage* p : pieces) {
    if (p->Vis) top = std::min(top.value_or(p->Y()), p->Y());
  }
  piece.SetAnim(platform::RandomBelow(static_cast<std::int32_t>(std::min<std::int64_t>(patterns, INT32_MAX))));
  piece.SetHxTrans(0);
  piece.Tag.clear();
  piece.SetY(CheckedSub(top.value_or(0), Height(piece)));
  piece.SetVis(true);
  return true;
}

void StepColumns(TOxImage& container, std::string_view patternCount) {
  const std::vector<TOxImage*> pieces = PicturesIn(container);
  const bool faded = Fade(pieces);
  const Fall fall = Drop(pieces);
  if (fall.reachedFloor) SetAt(container, ".B.VIS", Value::Int32(1));
  bool moving = faded || fall.moved;
  if (!moving) {
    const std::optional<std::int64_t> patterns = NumberAt(container, patternCount);
    moving = patterns && DropNewPiece(pieces, *patterns);
  }
  SetVariableAt(container, "MOVING", Value::Int32(moving ? 1 : 0));
  SetVariableAt(container, ".MOVING", Value::Int32(moving ? 1 : 0));
}

}  // namespace

void StepColumnsCountedByParent(TOxImage& container, TVarList&) { StepColumns(container, kParentCounts); }
void StepColumnsCountedByGrandparent(TOxImage& container, TVarList&) { StepColumns(container, kGrandparentCounts); }

}  // namespace ox::scriptlib
