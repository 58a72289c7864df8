// Translation of SDL key presses into the game's key codes (key_codes.h).
// Pure, so that it can be checked without a display.
#pragma once

#include <cstdint>

#include "platform/key_codes.h"

namespace platform {

// Returns the key code (1 to 255) of a key-down with SDL keycode `keycode`
// and SDL scancode `scancode`: letters 65 to 90 and digits 48 to 57 by what
// the key types in the current layout (by position when it types no Latin
// letter or digit), Enter for both Return keys and the keypad's, the named
// keys' codes for the rest of the table and KeyOther for any other key.
uint16_t virtualKeyOf(int32_t keycode, int32_t scancode);

}  // namespace platform
