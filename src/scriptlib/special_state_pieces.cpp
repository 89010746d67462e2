// The eight-piece puzzle: each piece keeps its state in its variable "S" and shows it as its
// pattern; a piece is in place when its state equals its position among its parent's children
// ("PARPOS", from 1), and the puzzle is won when all eight are.
#include <vector>

#include "platform/core/checked.h"
#include "scriptlib/element_paths.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

using elements::TOxImage;

constexpr std::size_t kPieces = 8;
constexpr std::uint8_t kInPlaceTrans = 255;
constexpr std::uint8_t kOutOfPlaceTrans = 128;

// Whether the piece's state equals its position; none without a state or a parent.
std::optional<bool> InPlace(TOxImage& piece) {
  const std::optional<std::int64_t> state = NumberAt(piece, "S");
  const std::optional<std::int64_t> position = NumberAt(piece, "PARPOS");
  if (!state || !position) return std::nullopt;
  return *state == *position;
}

}  // namespace

// The first eight pictures of the puzzle are its pieces; with fewer nothing happens.
void ShowPieceStates(TOxImage& puzzle, TVarList&) {
  std::vector<TOxImage*> pieces = PicturesIn(puzzle);
  if (pieces.size() < kPieces) return;
  pieces.resize(kPieces);
  bool solved = true;
  for (TOxImage* piece : pieces) {
    if (const std::optional<std::int64_t> state = NumberAt(*piece, "S")) piece->SetAnim(CheckedInt32(*state));
    solved &= InPlace(*piece).value_or(false);
  }
  if (solved) MarkLevelWon(puzzle);
}

// One piece shown fully when in place, half see-through otherwise.
void ShowPieceInPlace(TOxImage& piece, TVarList&) {
  if (const std::optional<bool> inPlace = InPlace(piece)) piece.SetHxTrans(*inPlace ? kInPlaceTrans : kOutOfPlaceTrans);
}

}  // namespace ox::scriptlib
