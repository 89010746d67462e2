// The headless frame loop: no window, a virtual clock, and exactly one game tick per frame.
// The events of tick T are delivered, in file order, after tick T-1 was processed and before
// the frame that runs tick T. While the game is inactive (a "deactivate" event) virtual ticks
// still pass, so later events arrive, but the game runs none of them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "render/timer.h"
#include "shell/audio_system.h"
#include "shell/form_main.h"
#include "shell/input_event.h"

namespace ox::shell {

void DeliverEvent(TFormMain& form, const InputEvent& event);

// Runs until `ticks` ticks have passed (none given: until the game ends itself). Each tick
// also mixes its 1/30 s of sound.
void RunHeadless(TFormMain& form, render::VirtualClock& clock, std::vector<InputEvent> events,
                 std::optional<std::int64_t> ticks, AudioSystem& audio);

}  // namespace ox::shell
