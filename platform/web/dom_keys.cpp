// DOM key names to the game's key codes: the same codes the desktop's key
// map gives, from the same table, so the game's key handler cannot tell the
// two apart.
#include "platform/web/dom_keys.h"

#include <cstring>

#include "platform/key_codes.h"

namespace platform {
namespace {

struct KeyPair {
  const char* code;
  uint16_t key;
};

// Named keys by KeyboardEvent.code; letters, digits, F and keypad digit keys
// are handled by range. The SDL column is never expanded here.
#define VELMORA_DOM_KEY(key, sdl, dom) {dom, key},
constexpr KeyPair NamedKeys[] = {VELMORA_NAMED_KEYS(VELMORA_DOM_KEY)};
#undef VELMORA_DOM_KEY

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
  if (f >= 1 && f <= 24) return uint16_t(KeyF1 + f - 1);
  int pad = numberAfter(code, "Numpad");
  if (pad >= 0 && pad <= 9) return uint16_t(KeyPad0 + pad);
  for (const KeyPair& k : NamedKeys) {
    if (k.code && std::strcmp(k.code, code) == 0) return k.key;
  }
  // A layout whose key types no Latin letter or digit: go by the key's place.
  if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0')
    return uint16_t(code[3]);
  if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == '\0')
    return uint16_t(code[5]);
  return KeyOther;
}

}  // namespace platform
