// Translation of physical keys into the Windows virtual-key codes the game's key table uses.
// Kept apart from the event pump so it can be checked without a display.
#pragma once

#include <cstdint>

namespace platform {

// `scancode` is the physical key as SDL reports it (the USB HID keyboard usage ID);
// `keycode` is SDL's key code, which for character keys is the character the keyboard layout
// puts on the key (lowercase letters, '0'..'9', ' ', 27 for Escape), or 0 when unknown.
// Returns the virtual-key code, or 0 for a key the game has no use for.
//
// The keypad digits go by physical key, whatever the NumLock state; the arrow keys, Home and
// Page Up give the keypad digits they share a key with, so the ship flies without a keypad.
// Letters follow the layout when it has a Latin letter on the key, else the physical key.
std::uint32_t virtualKeyForScancode(int scancode, int keycode);

} // namespace platform
