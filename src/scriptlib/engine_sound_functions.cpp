// Engine functions of sound: PlaySnd, PlayMuz, StopMuz. The sound list turns an id into a file
// and a volume; the sound store plays it.
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

namespace {

using Player = std::function<void(const std::string&, std::int32_t)> scene::RootServices::*;

bool PlayListed(TVarList& args, Player player) {
  scene::TOxDB* root = GameRoot();
  if (root == nullptr) return true;
  std::string file;
  std::int32_t volume = 0;
  root->GetSoundInfo(AsText(args[0].Val), file, volume);
  if (const auto& play = root->Services().*player) play(file, volume);
  return true;
}

}  // namespace

bool PlaySample(TPasCalc&, TVarList& args, Value&) {
  return PlayListed(args, &scene::RootServices::playSample);
}

bool PlayMusic(TPasCalc&, TVarList& args, Value&) {
  return PlayListed(args, &scene::RootServices::playMusic);
}

bool StopMusic(TPasCalc&, TVarList&, Value&) {
  scene::TOxDB* root = GameRoot();
  if (root != nullptr && root->Services().fadeOutMusic) root->Services().fadeOutMusic();
  return true;
}

}  // namespace ox::scriptlib
