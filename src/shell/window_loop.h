// The windowed frame loop: the window's events go to the form's handlers, and the frame timer,
// on the real clock, draws and runs the game between them, until the game or the window closes
// (or `ticks` game ticks have run). Events of an events file are delivered as the game reaches
// their ticks, as in headless runs.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window/window.h"
#include "shell/form_main.h"
#include "shell/graphics.h"
#include "shell/input_event.h"

namespace ox::shell {

// F12 keeps a screenshot in the per-user folder.
void RunWindowed(TFormMain& form, Graphics& graphics, std::vector<InputEvent> scripted,
                 std::optional<std::int64_t> ticks);

}  // namespace ox::shell
