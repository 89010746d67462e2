// The tower puzzles: one tick of a disc moving between pegs. The puzzle's variables say which
// disc moves ("OBJ"), the phase of the move ("T": 1 rising to the height "L", 2 carried across
// to the x "CX", 3 lowered to the y "TY", 0 at rest), its speed in pixels a tick ("V") and
// whether this move solves the puzzle ("S1", set by the game). When the solving move ends the
// puzzle is won.
#include <algorithm>
#include <cstdint>

#include "platform/core/checked.h"
#include "scriptlib/element_paths.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

constexpr std::int64_t kDefaultDiscSpeed = 10;  // when "V" is missing or not above 0
enum Phase : std::int64_t { kAtRest = 0, kRising = 1, kAcross = 2, kLowering = 3 };

// Where the game shows that the last move ended.
struct TowerEnding {
  std::string_view sound;  // a sound-list id, or none
  std::string_view shown;  // an element's Vis, or none
};
constexpr TowerEnding kWithSoundAndLog{"Lev7.LogStop", "OXDB.LEVEL7.HANOYLOG.VIS"};
constexpr TowerEnding kQuiet{"", ""};

// `value` moved toward `target` by at most `step`.
std::int32_t Toward(std::int32_t value, std::int64_t target, std::int64_t step) {
  const std::int64_t next = value < target ? std::min<std::int64_t>(value + step, target) : std::max<std::int64_t>(value - step, target);
  return CheckedInt32(next);
}

// One tick of the phase; true when the phase's end is reached.
bool Advance(scene::TOxElement& disc, scene::TOxElement& puzzle, std::int64_t phase, std::int64_t speed) {
  const char* targetName = phase == kRising ? "L" : phase == kAcross ? "CX" : "TY";
  const std::optional<std::int64_t> target = NumberAt(puzzle, targetName);
  if (!target) return false;
  if (phase == kAcross) {
    disc.SetX(Toward(disc.X(), *target, speed));
    return disc.X() == *target;
  }
  disc.SetY(Toward(disc.Y(), *target, speed));
  return disc.Y() == *target;
}

void MoveDisc(elements::TOxImage& puzzle, const TowerEnding& ending) {
  scene::TOxElement* disc = ElementAt(puzzle, "OBJ");
  const std::optional<std::int64_t> phase = NumberAt(puzzle, "T");
  if (disc == nullptr || !phase || *phase < kRising || *phase > kLowering) return;
  const std::optional<std::int64_t> v = NumberAt(puzzle, "V");
  const std::int64_t speed = v && *v > 0 ? std::min<std::int64_t>(*v, INT32_MAX) : kDefaultDiscSpeed;
  if (!Advance(*disc, puzzle, *phase, speed)) return;
  const std::int64_t next = *phase == kLowering ? kAtRest : *phase + 1;
  SetVariableAt(puzzle, "T", Value::Int32(static_cast<std::int32_t>(next)));
  const std::optional<std::int64_t> solves = NumberAt(puzzle, "S1");
  if (next != kAtRest || !solves || *solves == 0) return;
  if (!ending.sound.empty()) PlayListed(std::string(ending.sound), &scene::RootServices::playSample);
  MarkLevelWon(puzzle);
  if (!ending.shown.empty()) SetAt(puzzle, ending.shown, Value::Int32(1));
}

}  // namespace

void MoveTowerDiscWithSound(elements::TOxImage& puzzle, TVarList&) { MoveDisc(puzzle, kWithSoundAndLog); }
void MoveTowerDisc(elements::TOxImage& puzzle, TVarList&) { MoveDisc(puzzle, kQuiet); }

}  // namespace ox::scriptlib
