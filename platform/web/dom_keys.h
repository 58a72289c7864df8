// Translation of browser key presses into the game's key codes
// (key_codes.h). Pure, so that it can be checked without a browser.
#pragma once

#include <cstdint>

namespace platform {

// Returns the key code (1 to 255) of a DOM key-down with
// KeyboardEvent.key `key` and KeyboardEvent.code `code`: letters and digits by
// what the key types (by position when it types no Latin letter or digit), as
// on the desktop; the named keys' codes and KeyOther for the rest.
uint16_t virtualKeyOfDom(const char* key, const char* code);

}  // namespace platform
