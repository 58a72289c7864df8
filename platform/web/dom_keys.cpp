// DOM key names to virtual-key codes: the same codes the desktop's key map
// gives, so the game's key handler cannot tell the two apart.
#include "platform/web/dom_keys.h"

#include <cstring>

#include "platform/key_map.h"

namespace platform {
namespace {

struct KeyPair {
  const char* code;
  uint16_t vk;
};

// Named keys by KeyboardEvent.code; letters, digits, F and keypad digit keys
// are handled by range.
constexpr KeyPair NamedKeys[] = {
    {"Backspace", VkBack},
    {"Tab", VkTab},
    {"Enter", VkReturn},
    {"NumpadEnter", VkReturn},
    {"Pause", 19},
    {"CapsLock", 20},
    {"Escape", VkEscape},
    {"Space", VkSpace},
    {"PageUp", 33},
    {"PageDown", 34},
    {"End", 35},
    {"Home", 36},
    {"ArrowLeft", VkLeft},
    {"ArrowUp", VkUp},
    {"ArrowRight", VkRight},
    {"ArrowDown", VkDown},
    {"PrintScreen", 44},
    {"Insert", 45},
    {"Delete", 46},
    {"ShiftLeft", 16},
    {"ShiftRight", 16},
    {"ControlLeft", 17},
    {"ControlRight", 17},
    {"AltLeft", 18},
    {"AltRight", 18},
    {"MetaLeft", 91},
    {"MetaRight", 92},
    {"ContextMenu", 93},
    {"NumpadMultiply", 106},
    {"NumpadAdd", 107},
    {"NumpadSubtract", 109},
    {"NumpadDecimal", 110},
    {"NumpadDivide", 111},
    {"NumLock", 144},
    {"ScrollLock", 145},
    {"Semicolon", 186},
    {"Equal", 187},
    {"Comma", 188},
    {"Minus", 189},
    {"Period", 190},
    {"Slash", 191},
    {"Backquote", 192},
    {"BracketLeft", 219},
    {"Backslash", 220},
    {"BracketRight", 221},
    {"Quote", 222},
};

// Returns the number after `prefix` in `text` ("F12" -> 12), or -1.
int numberAfter(const char* text, const char* prefix) {
  size_t length = std::strlen(prefix);
  if (std::strncmp(text, prefix, length) != 0 || text[length] == '\0') return -1;
  int value = 0;
  for (const char* p = text + length; *p; ++p) {
    if (*p < '0' || *p > '9' || value > 99) return -1;
    value = value * 10 + (*p - '0');
  }
  return value;
}

}  // namespace

uint16_t virtualKeyOfDom(const char* key, const char* code) {
  if (!key) key = "";
  if (!code) code = "";
  // What the key types, when that is one Latin letter or digit.
  if (key[0] != '\0' && key[1] == '\0') {
    char c = key[0];
    if (c >= 'a' && c <= 'z') return uint16_t(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return uint16_t(c);
  }
  int f = numberAfter(code, "F");
  if (f >= 1 && f <= 24) return uint16_t(VkF1 + f - 1);
  int pad = numberAfter(code, "Numpad");
  if (pad >= 0 && pad <= 9) return uint16_t(96 + pad);
  for (const KeyPair& k : NamedKeys) {
    if (std::strcmp(k.code, code) == 0) return k.vk;
  }
  // A layout whose key types no Latin letter or digit: go by the key's place.
  if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0')
    return uint16_t(code[3]);
  if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == '\0')
    return uint16_t(code[5]);
  return VkOther;
}

}  // namespace platform
