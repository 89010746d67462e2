// The windowed frame loop: the window's events go to the form's handlers, and the frame timer,
// on the real clock, draws and runs the game between them, until the game or the window closes.
#pragma once

#include "platform/window.h"
#include "shell/form_main.h"

namespace ox::shell {

void RunWindowed(TFormMain& form, platform::Window& window);

}  // namespace ox::shell
