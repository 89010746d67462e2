// Pieces shared by the engine functions: the argument readers and the adapters for their common
// shapes, and the bodies that take more than a line, by family.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "scene/element.h"
#include "scene/game_root.h"
#include "scriptlib/native_support.h"

namespace ox::scriptlib {

// The element an argument refers to; null for another kind of value or a stale reference.
scene::TOxElement* ElementArg(const TVarList& args, std::size_t i);
// Every further argument from position `from` that names an element.
std::vector<scene::TOxElement*> ElementArgs(const TVarList& args, std::size_t from);
// The game root of the running game; null without one.
scene::TOxDB* GameRoot();

// A function of any number of arguments that always succeeds.
template <void (*Body)(TVarList& args, Value& result)>
bool Always(TPasCalc&, TVarList& args, TVar& result) {
  Body(args, result.Val);
  return true;
}

// Runs an element's operation on the element of the first argument, if any; always succeeds.
template <void (*Operation)(scene::TOxElement&)>
bool OnElement(TPasCalc&, TVarList& args, TVar&) {
  if (scene::TOxElement* e = ElementArg(args, 0)) Operation(*e);
  return true;
}

// Runs an operation of the game root, if there is one; always succeeds.
template <void (*Operation)(scene::TOxDB&)>
bool OnRoot(TPasCalc&, TVarList&, TVar&) {
  if (scene::TOxDB* root = GameRoot()) Operation(*root);
  return true;
}

// engine_anim_functions.cpp: AnimStart, AnimStop, AnimBreak, AnimPlay, each the element's own
// part when it is playable (elements/playable.h); other elements are left as they are.
void AnimStart(TVarList& args, Value& result);
void AnimStop(TVarList& args, Value& result);
void AnimBreak(TVarList& args, Value& result);
void AnimPlay(TVarList& args, Value& result);

// engine_element_functions.cpp: SetFocus's operation, MoveTo, and ListAdd and ListDel (an image
// list of exactly that class and an image of exactly that class, or for ListDel an Id).
void FocusText(scene::TOxElement& e);
void MoveElement(TVarList& args, Value& result);
void AddToList(TVarList& args, Value& result);
void RemoveFromList(TVarList& args, Value& result);

// engine_screen_functions.cpp: runs a screen change when the first argument is a screen;
// further element arguments are loaded with it. Always succeeds.
using ScreenChange = void (*)(scene::TOxDB&, scene::TOxElement& screen,
                              const std::vector<scene::TOxElement*>& also);
void ChangeScreen(TVarList& args, ScreenChange change);
template <ScreenChange Change>
bool OnScreen(TPasCalc&, TVarList& args, TVar&) {
  ChangeScreen(args, Change);
  return true;
}

// engine_settings_functions.cpp: GetText, DelFile, GetIni, SetIni (the last three refuse when
// they raise an error, as conversion failures do).
bool GetTextOf(TPasCalc&, TVarList& args, Value& result);
bool DelFile(TPasCalc&, TVarList& args, Value& result);
bool GetIni(TPasCalc&, TVarList& args, Value& result);
bool SetIni(TPasCalc&, TVarList& args, Value& result);
template <NativeBody Body>
bool Refusing(TPasCalc& calc, TVarList& args, Value& result) {
  try {
    return Body(calc, args, result);
  } catch (const std::exception&) {
    return false;
  }
}

// engine_sound_functions.cpp: PlaySnd, PlayMuz (the sound list turns an id into a file and a
// volume; the sound store plays it) and StopMuz.
bool PlaySample(TPasCalc&, TVarList& args, Value& result);
bool PlayMusic(TPasCalc&, TVarList& args, Value& result);
bool StopMusic(TPasCalc&, TVarList& args, Value& result);
// The sound store's players: of samples or of music.
using SoundPlayer = std::function<void(const std::string&, std::int32_t)> scene::RootServices::*;
// Plays the sound-list entry `id` with the player; nothing without a game root or a player.
void PlayListed(const std::string& id, SoundPlayer player);

// engine_picture_functions.cpp: the texel of an image's current pattern at (x, y), engine
// order, through `part`; 0 while the picture has no texture. No result for a wrong count or a
// first argument that is no element.
void ReadPixel(TVarList& args, Value& result, std::uint32_t (*part)(std::uint32_t texel));
template <std::uint32_t (*Part)(std::uint32_t)>
void PixelPart(TVarList& args, Value& result) {
  ReadPixel(args, result, Part);
}

// engine_effect_functions.cpp: ProcEf.
void ProcessEffect(TVarList& args, Value& result);

// engine_star_functions.cpp: AddStar (8 to 12 arguments; refuses a failed conversion) and
// ImStarsR (never refuses).
bool AddStar(TPasCalc&, TVarList& args, Value& result);
void ScatterStars(TVarList& args, Value& result);

}  // namespace ox::scriptlib
