// W2L4P: a picture that shows itself fully while the cursor is on it, with a sound the first
// time, and fades by 15 a tick otherwise.
#include "platform/checked.h"
#include "scene/scene_state.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

constexpr std::uint8_t kFadeStep = 15;

}  // namespace

void W2L4P(elements::TOxImage& picture, TVarList&) {
  if (scene::Scene().underCursor == picture.Ref()) {
    if (picture.hxTrans() == 0) PlaySoundId("Lev18.Ok");
    picture.SetHxTrans(255);
  } else if (picture.hxTrans() != 0) {
    if (picture.hxTrans() < kFadeStep) throw RangeError("Range check error");
    picture.SetHxTrans(static_cast<std::uint8_t>(picture.hxTrans() - kFadeStep));
  }
}

}  // namespace ox::scriptlib
