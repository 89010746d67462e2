// Pieces shared by the puzzle and sparkle functions that games call by name: the picture element
// of the first argument, element variables, sounds and sparkles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "elements/image.h"
#include "elements/screen.h"
#include "scene/star_pool.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

// The first argument as an element of class T or a subclass; null otherwise.
template <class T>
T* FirstArgAs(const TVarList& args) {
  return dynamic_cast<T*>(ElementArg(args, 0));
}

// A special function: does nothing unless its first argument is an element of class T, and
// always succeeds.
template <class T, void (*Body)(T& element, TVarList& args)>
bool OnFirst(TPasCalc&, TVarList& args, TVar&) {
  if (T* element = FirstArgAs<T>(args)) Body(*element, args);
  return true;
}

// Sets a variable of the element, adding it to the element's variables when the element has no
// variable or property of that name.
void SetElementVar(scene::TOxElement& element, const std::string& name, const Value& value);
// The pictures among the element's children, in their order.
std::vector<elements::TOxImage*> PicturesIn(const scene::TOxElement& parent);
// Marks the level won for the game's log screen ("OXDB.LOGINTERFACE.WIN" set to 1).
void MarkLevelWon(scene::TOxElement& element);
// Counts one more in the puzzle's ".CNN" and shows the count in its "GI.CNT.TEXT".
void CountOneMore(scene::TOxElement& puzzle);

// A sparkle as the puzzle helpers make it: pattern 2, additive, above every layer, turned at random
// and turning by -5 ... 4 degrees a tick; colour as text or random.
void AddSparkle(double x, double y, double scale, double scaleSpeed, double ySpeed,
                std::optional<std::string> colour);

// special_falling_columns.cpp: one tick of a falling-column game, the number of piece patterns
// kept by the container's parent or grandparent.
void StepColumnsCountedByParent(elements::TOxImage& container, TVarList& args);
void StepColumnsCountedByGrandparent(elements::TOxImage& container, TVarList& args);
// special_matching_grid.cpp
void MarkMatchedGroups(scene::TOxElement& grid, TVarList& args);
// special_drag.cpp
void DragPieceUnderMouse(elements::TOxImage& picture, TVarList& args);
// special_towers.cpp: one tick of a disc's move; the first also plays a sound and shows the
// level's log when the puzzle is won.
void MoveTowerDiscWithSound(elements::TOxImage& puzzle, TVarList& args);
void MoveTowerDisc(elements::TOxImage& puzzle, TVarList& args);
// special_turning_pieces.cpp: the second also counts the turns.
void TurnPieces(elements::TOxImage& puzzle, TVarList& args);
void TurnPiecesCounted(elements::TOxImage& puzzle, TVarList& args);
// special_state_pieces.cpp
void ShowPieceStates(elements::TOxImage& puzzle, TVarList& args);
void ShowPieceInPlace(elements::TOxImage& piece, TVarList& args);
// special_item_list.cpp
void UpdateItemList(elements::TOxImage& panel, TVarList& args);
// special_pairs.cpp
void MatchChosenPair(elements::TOxImage& puzzle, TVarList& args);
void PairAcrossLists(elements::TOxImage& puzzle, TVarList& args);
// special_sparkles.cpp
void StarsToUp(elements::TOxImage& picture, TVarList& args);
void StarsTopToUp(elements::TOxImage& picture, TVarList& args);
void StarsAll(elements::TOxImage& picture, TVarList& args);
void StarsAll2(elements::TOxImage& picture, TVarList& args);
void StarsAll3(elements::TOxImage& picture, TVarList& args);
// special_progress.cpp: the level's total, the level's progress bar and the map's.
void TotalLevelPoints(elements::TOxScreen& screen, TVarList& args);
void ShowLevelProgress(elements::TOxImage& bar, TVarList& args);
void ShowMapProgress(elements::TOxImage& bar, TVarList& args);
// special_crossing.cpp: the crossing-lines puzzles, a ring with two hubs and a plain ring; Check
// sets the puzzle's "WIN".
void DrawHubRingPuzzle(elements::TOxImage& puzzle, TVarList& args);
void CheckHubRingPuzzle(elements::TOxImage& puzzle, TVarList& args);
void DrawRingPuzzle(elements::TOxImage& puzzle, TVarList& args);
void CheckRingPuzzle(elements::TOxImage& puzzle, TVarList& args);
// special_hover.cpp
void RevealUnderCursor(elements::TOxImage& picture, TVarList& args);

}  // namespace ox::scriptlib
