// Engine functions that start and stop animations and particle effects: AnimStart, AnimStop,
// AnimBreak, AnimPlay. Each element kind says what they do to it (elements/playable.h).
#include "elements/playable.h"
#include "script/host.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

namespace {

elements::Playable* PlayableArg(const TVarList& args) {
  return dynamic_cast<elements::Playable*>(ElementArg(args, 0));
}

}  // namespace

void AnimStart(TVarList& args, Value&) {
  if (elements::Playable* p = PlayableArg(args)) p->AnimStart(script::Host().EventContextName());
}

void AnimStop(TVarList& args, Value&) {
  if (elements::Playable* p = PlayableArg(args)) p->AnimStop();
}

void AnimBreak(TVarList& args, Value&) {
  if (elements::Playable* p = PlayableArg(args)) p->AnimBreak();
}

void AnimPlay(TVarList& args, Value&) {
  if (elements::Playable* p = PlayableArg(args)) p->AnimPlay();
}

}  // namespace ox::scriptlib
