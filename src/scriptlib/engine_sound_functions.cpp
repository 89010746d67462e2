// Engine functions of sound: PlaySnd, PlayMuz, StopMuz. The sound list turns an id into a file
// and a volume; the sound store plays it.
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

namespace {

using Player = std::function<void(const std::string&, std::int32_t)> scene::RootServices::*;

script::NativeFunction PlayListed(Player player) {
  return WithArguments(1, [player](TPasCalc&, TVarList& args, Value&) {
    scene::TOxDB* root = GameRoot();
    if (root == nullptr) return true;
    std::string file;
    std::int32_t volume = 0;
    root->GetSoundInfo(AsText(args[0].Val), file, volume);
    if (const auto& play = root->Services().*player) play(file, volume);
    return true;
  });
}

}  // namespace

void AddSoundFunctions(FunctionTable& table) {
  table["PlaySnd"] = PlayListed(&scene::RootServices::playSample);
  table["PlayMuz"] = PlayListed(&scene::RootServices::playMusic);
  table["StopMuz"] = WithArguments(1, [](TPasCalc&, TVarList&, Value&) {
    scene::TOxDB* root = GameRoot();
    if (root != nullptr && root->Services().fadeOutMusic) root->Services().fadeOutMusic();
    return true;
  });
}

}  // namespace ox::scriptlib
