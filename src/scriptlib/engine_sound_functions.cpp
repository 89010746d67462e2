// Engine functions of sound: PlaySnd, PlayMuz, StopMuz. The sound list turns an id into a file
// and a volume; the sound store plays it.
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

void PlayListed(const std::string& id, SoundPlayer player) {
  scene::TOxDB* root = GameRoot();
  if (root == nullptr) return;
  std::string file;
  std::int32_t volume = 0;
  root->GetSoundInfo(id, file, volume);
  if (const auto& play = root->Services().*player) play(file, volume);
}

bool PlaySample(TPasCalc&, TVarList& args, Value&) {
  PlayListed(AsText(args[0].Val), &scene::RootServices::playSample);
  return true;
}

bool PlayMusic(TPasCalc&, TVarList& args, Value&) {
  PlayListed(AsText(args[0].Val), &scene::RootServices::playMusic);
  return true;
}

bool StopMusic(TPasCalc&, TVarList&, Value&) {
  scene::TOxDB* root = GameRoot();
  if (root != nullptr && root->Services().fadeOutMusic) root->Services().fadeOutMusic();
  return true;
}

}  // namespace ox::scriptlib
