// A picture revealed under the cursor: fully shown while the cursor is on it, with a sound when
// it appears from nothing, and fading by 15 a tick otherwise.
#include "platform/core/checked.h"
#include "scene/scene_state.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

constexpr std::uint8_t kFadeStep = 15;

}  // namespace

void RevealUnderCursor(elements::TOxImage& picture, TVarList&) {
  if (scene::Scene().underCursor == picture.Ref()) {
    if (picture.hxTrans() == 0) PlayListed("Lev18.Ok", &scene::RootServices::playSample);
    picture.SetHxTrans(255);
  } else if (picture.hxTrans() != 0) {
    if (picture.hxTrans() < kFadeStep) throw RangeError("Range check error");
    picture.SetHxTrans(static_cast<std::uint8_t>(picture.hxTrans() - kFadeStep));
  }
}

}  // namespace ox::scriptlib
