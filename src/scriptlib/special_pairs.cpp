// The pairing puzzles: the player chooses two objects, and the step decides whether they make a
// pair. Either way the choice is cleared for the next one; a pair counts one more in ".CNN"
// (shown in "GI.CNT.TEXT") and plays its sound.
//  - Matching: the two choices (".MS.OB1", ".MS.OB2", their count ".MS.OBC") pair when they carry
//    the same non-empty Tag; the pair is put at the place of ".O".
//  - Lists: the choices ("OB1", "OB2") pair when one stands in the outer list ".OL" and the
//    other in the inner list ".IL" at the same position ("PARPOS"); the pair is hidden, and the
//    choice marks ".O" and ".II" are hidden after every try.
#include "platform/core/checked.h"
#include "scene/scene_state.h"
#include "scriptlib/element_paths.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

constexpr const char* kMatchSound = "Lev2.Ok";  // a sound-list id
constexpr const char* kListPairSample = "Ok";    // a sample, at the sound volume setting

// A sample by its own name, played at the sound volume setting as its percentage (which the
// sound store applies once more on its own).
void PlayAtSoundVolume(const std::string& sample) {
  scene::TOxDB* root = GameRoot();
  if (root != nullptr && root->Services().playSample) root->Services().playSample(sample, scene::Scene().soundVolume);
}

}  // namespace

void MatchChosenPair(elements::TOxImage& puzzle, TVarList&) {
  scene::TOxElement* first = ElementAt(puzzle, ".MS.OB1");
  scene::TOxElement* second = ElementAt(puzzle, ".MS.OB2");
  if (first == nullptr || second == nullptr || first == second) return;
  if (!first->Tag.empty() && first->Tag == second->Tag) {
    const std::optional<std::int64_t> x = NumberAt(puzzle, ".O.X");
    const std::optional<std::int64_t> y = NumberAt(puzzle, ".O.Y");
    if (x && y) {
      for (scene::TOxElement* e : {first, second}) e->SetPos(CheckedInt32(*x), CheckedInt32(*y));
    }
    CountOneMore(puzzle);
    PlayListed(kMatchSound, &scene::RootServices::playSample);
  }
  SetAt(puzzle, ".MS.OB1", Value::UInt32(0));
  SetAt(puzzle, ".MS.OB2", Value::UInt32(0));
  SetAt(puzzle, ".MS.OBC", Value::Int32(0));
}

void PairAcrossLists(elements::TOxImage& puzzle, TVarList&) {
  scene::TOxElement* first = ElementAt(puzzle, "OB1");
  scene::TOxElement* second = ElementAt(puzzle, "OB2");
  if (first == nullptr || second == nullptr || first == second) return;
  const scene::TOxElement* outer = ElementAt(puzzle, ".OL");
  const scene::TOxElement* inner = ElementAt(puzzle, ".IL");
  const bool across = outer != nullptr && inner != nullptr &&
                      ((first->Parent() == outer && second->Parent() == inner) ||
                       (first->Parent() == inner && second->Parent() == outer));
  const std::optional<std::int64_t> firstAt = NumberAt(puzzle, "OB1.PARPOS");
  if (across && firstAt && firstAt == NumberAt(puzzle, "OB2.PARPOS")) {
    first->SetVis(false);
    second->SetVis(false);
    CountOneMore(puzzle);
    PlayAtSoundVolume(kListPairSample);
  }
  SetAt(puzzle, ".O.VIS", Value::Int32(0));
  SetAt(puzzle, ".II.VIS", Value::Int32(0));
  SetAt(puzzle, "OB1", Value::UInt32(0));
  SetAt(puzzle, "OB2", Value::UInt32(0));
}

}  // namespace ox::scriptlib
