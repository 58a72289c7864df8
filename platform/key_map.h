// Translation of SDL key presses into the game's virtual-key codes. Pure, so
// that it can be checked without a display.
#pragma once

#include <cstdint>

namespace platform {

// Virtual-key codes the game acts on.
constexpr uint16_t VkBack = 8;
constexpr uint16_t VkTab = 9;
constexpr uint16_t VkReturn = 13;
constexpr uint16_t VkEscape = 27;
constexpr uint16_t VkSpace = 32;
constexpr uint16_t VkLeft = 37;
constexpr uint16_t VkUp = 38;
constexpr uint16_t VkRight = 39;
constexpr uint16_t VkDown = 40;
constexpr uint16_t VkF1 = 112;
// Any key without a code of its own.
constexpr uint16_t VkOther = 255;

// Returns the virtual-key code (1 to 255) of a key-down with SDL keycode
// `keycode` and SDL scancode `scancode`: letters 65 to 90 and digits 48 to 57
// by what the key types in the current layout (by position when it types no
// Latin letter or digit), Enter for both Return keys, arrows 37 to 40, the
// classic codes for the other named keys and VkOther for the rest.
uint16_t virtualKeyOf(int32_t keycode, int32_t scancode);

}  // namespace platform
