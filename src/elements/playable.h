// The element kinds that scripts start and stop with "AnimStart", "AnimPlay", "AnimStop" and
// "AnimBreak" (animations and particle effects); every other element ignores them. What each
// does to a kind is that kind's own; by default an operation leaves the element unchanged.
#pragma once

#include <string>

namespace ox::elements {

class Playable {
 public:
  virtual ~Playable() = default;
  // Plays from the start; runs exStart under the event name of the calling script.
  virtual void AnimStart(const std::string& eventName) = 0;
  virtual void AnimPlay() {}
  virtual void AnimStop() {}
  virtual void AnimBreak() {}
};

}  // namespace ox::elements
