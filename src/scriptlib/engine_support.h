// Pieces shared by the engine functions' callbacks.
#pragma once

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
script::NativeFunction Always(std::function<void(TVarList&, Value&)> body);

void AddElementFunctions(FunctionTable& table);
void AddScreenFunctions(FunctionTable& table);
void AddSettingsFunctions(FunctionTable& table);
void AddSoundFunctions(FunctionTable& table);
void AddPictureFunctions(FunctionTable& table);

}  // namespace ox::scriptlib
