// Pieces shared by the games' special functions: the picture element of the first argument,
// element variables, sounds and sparkles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
// Plays a sound of the sound list by its id.
void PlaySoundId(const std::string& id);

// A sparkle of the special functions: pattern 2, additive, above every layer, turned at random
// and turning by -5 ... 4 degrees a tick; colour as text or random.
void AddSparkle(double x, double y, double scale, double scaleSpeed, double ySpeed,
                std::optional<std::string> colour);

// special_sparkles.cpp
void StarsToUp(elements::TOxImage& picture, TVarList& args);
void StarsTopToUp(elements::TOxImage& picture, TVarList& args);
void StarsAll(elements::TOxImage& picture, TVarList& args);
void StarsAll2(elements::TOxImage& picture, TVarList& args);
void StarsAll3(elements::TOxImage& picture, TVarList& args);
// special_progress.cpp
void TotalLevelPoints(elements::TOxScreen& screen, TVarList& args);
// special_crossing.cpp: the crossing-lines puzzles, a ring with two hubs and a plain ring; Check
// sets the puzzle's "WIN".
void DrawHubRingPuzzle(elements::TOxImage& puzzle, TVarList& args);
void CheckHubRingPuzzle(elements::TOxImage& puzzle, TVarList& args);
void DrawRingPuzzle(elements::TOxImage& puzzle, TVarList& args);
void CheckRingPuzzle(elements::TOxImage& puzzle, TVarList& args);
// special_hover.cpp
void RevealUnderCursor(elements::TOxImage& picture, TVarList& args);

}  // namespace ox::scriptlib
