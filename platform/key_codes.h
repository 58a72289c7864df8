// The game's key codes, the classic virtual-key numbers its key handler was
// designed around, and the one table of named keys that both key maps read:
// SDL's (key_map.cpp) and the browser's (web/dom_keys.cpp). Letters are 'A'
// to 'Z' and digits '0' to '9' by what the key types; function keys and
// keypad digits run from KeyF1 and KeyPad0.
#pragma once

#include <cstdint>

namespace platform {

enum KeyCode : uint16_t {
  KeyBack = 8,
  KeyTab = 9,
  KeyEnter = 13,
  KeyEscape = 27,
  KeySpace = 32,
  KeyPageUp = 33,
  KeyPageDown = 34,
  KeyEnd = 35,
  KeyLeft = 37,
  KeyUp = 38,
  KeyRight = 39,
  KeyDown = 40,
  KeyPad0 = 96,
  KeyF1 = 112,
  KeyF2 = 113,
  KeyF13 = 124,
  KeyOther = 255,  // any key without a code of its own
};

// Every named key once: KEY(game code, SDL keycode, KeyboardEvent.code or
// nullptr). Each key map expands it with the column it reads; the SDL names
// are only ever expanded where SDL's header is included.
#define VELMORA_NAMED_KEYS(KEY)                \
  KEY(KeyBack, SDLK_BACKSPACE, "Backspace")    \
  KEY(KeyTab, SDLK_TAB, "Tab")                 \
  KEY(KeyEnter, SDLK_RETURN, "Enter")          \
  KEY(KeyEnter, SDLK_RETURN2, nullptr)         \
  KEY(KeyEnter, SDLK_KP_ENTER, "NumpadEnter")  \
  KEY(19, SDLK_PAUSE, "Pause")                 \
  KEY(20, SDLK_CAPSLOCK, "CapsLock")           \
  KEY(KeyEscape, SDLK_ESCAPE, "Escape")        \
  KEY(KeySpace, SDLK_SPACE, "Space")           \
  KEY(KeyPageUp, SDLK_PAGEUP, "PageUp")        \
  KEY(KeyPageDown, SDLK_PAGEDOWN, "PageDown")  \
  KEY(KeyEnd, SDLK_END, "End")                 \
  KEY(36, SDLK_HOME, "Home")                   \
  KEY(KeyLeft, SDLK_LEFT, "ArrowLeft")         \
  KEY(KeyUp, SDLK_UP, "ArrowUp")               \
  KEY(KeyRight, SDLK_RIGHT, "ArrowRight")      \
  KEY(KeyDown, SDLK_DOWN, "ArrowDown")         \
  KEY(44, SDLK_PRINTSCREEN, "PrintScreen")     \
  KEY(45, SDLK_INSERT, "Insert")               \
  KEY(46, SDLK_DELETE, "Delete")               \
  KEY(16, SDLK_LSHIFT, "ShiftLeft")            \
  KEY(16, SDLK_RSHIFT, "ShiftRight")           \
  KEY(17, SDLK_LCTRL, "ControlLeft")           \
  KEY(17, SDLK_RCTRL, "ControlRight")          \
  KEY(18, SDLK_LALT, "AltLeft")                \
  KEY(18, SDLK_RALT, "AltRight")               \
  KEY(91, SDLK_LGUI, "MetaLeft")               \
  KEY(92, SDLK_RGUI, "MetaRight")              \
  KEY(93, SDLK_APPLICATION, "ContextMenu")     \
  KEY(106, SDLK_KP_MULTIPLY, "NumpadMultiply") \
  KEY(107, SDLK_KP_PLUS, "NumpadAdd")          \
  KEY(109, SDLK_KP_MINUS, "NumpadSubtract")    \
  KEY(110, SDLK_KP_PERIOD, "NumpadDecimal")    \
  KEY(111, SDLK_KP_DIVIDE, "NumpadDivide")     \
  KEY(144, SDLK_NUMLOCKCLEAR, "NumLock")       \
  KEY(145, SDLK_SCROLLLOCK, "ScrollLock")      \
  KEY(186, SDLK_SEMICOLON, "Semicolon")        \
  KEY(187, SDLK_EQUALS, "Equal")               \
  KEY(188, SDLK_COMMA, "Comma")                \
  KEY(189, SDLK_MINUS, "Minus")                \
  KEY(190, SDLK_PERIOD, "Period")              \
  KEY(191, SDLK_SLASH, "Slash")                \
  KEY(192, SDLK_BACKQUOTE, "Backquote")        \
  KEY(219, SDLK_LEFTBRACKET, "BracketLeft")    \
  KEY(220, SDLK_BACKSLASH, "Backslash")        \
  KEY(221, SDLK_RIGHTBRACKET, "BracketRight")  \
  KEY(222, SDLK_QUOTE, "Quote")

}  // namespace platform
