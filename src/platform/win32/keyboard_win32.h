#pragma once
// Typing key events into the foreground window with SendInput.

#include <windows.h>

#include <vector>

#include "station/keys.h"

namespace orvando::win32 {

// The inputs that type `keys` on the current keyboard layout. A character is
// typed with its own key (and the shift state the layout needs for it, when
// not already held), so that menus see their access keys; a character the
// layout cannot type is sent as Unicode.
std::vector<INPUT> KeyInputs(const std::vector<KeyEvent>& keys);

// False when the system took fewer than all of them (input blocked, or a
// window of higher integrity in front).
bool SendKeyInputs(const std::vector<KeyEvent>& keys);

}  // namespace orvando::win32
