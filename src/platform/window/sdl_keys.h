// The one table from the window toolkit's keys to Windows virtual-key codes. Keys are mapped by
// their position (scancode), as virtual keys of letters and digits stay the same under Cyrillic
// layouts; a Latin layout that moves letters (AZERTY) is followed through the key's symbol.
#pragma once

#include <cstdint>

namespace ox::platform {

// The virtual-key code of a key (SDL scancode and key symbol), 0 for keys without one.
std::int32_t VirtualKeyOf(int scancode, int keycode);

}  // namespace ox::platform
