#pragma once
// Typing key events into the foreground window with SendInput.

#include <windows.h>

#include <span>
#include <vector>

#include "platform/station.h"

namespace orvando::win32 {

// The inputs that type `keys` on the current keyboard layout.
std::vector<INPUT> KeyInputs(std::span<const KeyEvent> keys);

// False when the system took fewer than all of them (input blocked, or a
// window of higher integrity in front).
bool SendKeyInputs(std::span<const KeyEvent> keys);

}  // namespace orvando::win32
