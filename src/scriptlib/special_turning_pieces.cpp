// The turning-pieces puzzles: pictures turned a quarter at a time. The piece the player chose
// (".PROT") starts a turn when no piece is turning; a turning piece goes on by 10 degrees a tick
// up to the next quarter. A piece at rest upright shows its lit pattern (1), any other its plain
// one (0). Once every piece rests upright the puzzle is won: ".END" is shown and the pieces fade
// out. One game counts the turns in ".CNN".
#include <vector>

#include "platform/core/checked.h"
#include "scriptlib/element_paths.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

using elements::TOxImage;

constexpr std::int64_t kQuarter = 90'000;  // thousandths of a degree
constexpr std::int64_t kFullTurn = 4 * kQuarter;
constexpr std::int64_t kTurnStep = 10'000;
constexpr std::int32_t kUprightPattern = 1;
constexpr std::int32_t kTurnedPattern = 0;
constexpr int kSolvedFadeStep = 15;

struct TurningPuzzle {
  std::string_view pieces;  // the element whose pictures are the pieces
  bool countsTurns;
};
constexpr TurningPuzzle kUncounted{".LL", false};
constexpr TurningPuzzle kCounted{".LLL", true};

bool AtRest(const TOxImage& piece) { return piece.AngleThousandths() % kQuarter == 0; }
bool Upright(const TOxImage& piece) { return piece.AngleThousandths() % kFullTurn == 0; }

// Turns the piece on by a step, stopping at the next quarter, where its angle is brought into
// 0 ... 359 degrees.
void TurnOn(TOxImage& piece) {
  const std::int64_t angle = piece.AngleThousandths();
  const std::int64_t quarters = angle >= 0 ? angle / kQuarter : (angle - kQuarter + 1) / kQuarter;
  const std::int64_t next = (quarters + 1) * kQuarter;
  std::int64_t turned = std::min(angle + kTurnStep, next);
  if (turned == next) turned = (turned % kFullTurn + kFullTurn) % kFullTurn;
  piece.SetAngle(static_cast<long double>(turned) / 1000.0L);
}

std::vector<TOxImage*> Pieces(TOxImage& puzzle, std::string_view holderPath) {
  scene::TOxElement* holder = ElementAt(puzzle, holderPath);
  return holder != nullptr ? PicturesIn(*holder) : std::vector<TOxImage*>{};
}

// Starts the chosen piece's turn when it is one of the pieces and all rest.
void StartChosenTurn(TOxImage& puzzle, const std::vector<TOxImage*>& pieces, bool countsTurns) {
  auto* chosen = ElementAt<TOxImage>(puzzle, ".PROT");
  if (chosen == nullptr || std::find(pieces.begin(), pieces.end(), chosen) == pieces.end()) return;
  if (!std::all_of(pieces.begin(), pieces.end(), [](const TOxImage* p) { return AtRest(*p); })) return;
  TurnOn(*chosen);
  SetAt(puzzle, ".PROT", Value::UInt32(0));
  if (countsTurns) CountOneMore(puzzle);
}

void StepTurning(TOxImage& puzzle, const TurningPuzzle& kind) {
  const std::vector<TOxImage*> pieces = Pieces(puzzle, kind.pieces);
  if (pieces.empty()) return;
  for (TOxImage* piece : pieces) {
    if (!AtRest(*piece)) TurnOn(*piece);
  }
  StartChosenTurn(puzzle, pieces, kind.countsTurns);
  bool solved = true;
  for (TOxImage* piece : pieces) {
    if (AtRest(*piece)) piece->SetAnim(Upright(*piece) ? kUprightPattern : kTurnedPattern);
    solved &= Upright(*piece);
  }
  if (!solved) return;
  for (TOxImage* piece : pieces) piece->SetHxTrans(static_cast<std::uint8_t>(std::max(piece->hxTrans() - kSolvedFadeStep, 0)));
  SetAt(puzzle, ".END.VIS", Value::Int32(1));
  MarkLevelWon(puzzle);
}

}  // namespace

void TurnPieces(TOxImage& puzzle, TVarList&) { StepTurning(puzzle, kUncounted); }
void TurnPiecesCounted(TOxImage& puzzle, TVarList&) { StepTurning(puzzle, kCounted); }

}  // namespace ox::scriptlib
