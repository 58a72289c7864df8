// SDL keycodes to the game's key codes, so that its key handler needs to
// know nothing of SDL.
#include "platform/key_map.h"

#include <SDL_keycode.h>

namespace platform {
namespace {

// Named keys; letters and digits are handled by range.
struct KeyPair {
  SDL_Keycode sdl;
  uint16_t code;
};

#define VELMORA_SDL_KEY(code, sdl, dom) {sdl, code},
constexpr KeyPair NamedKeys[] = {VELMORA_NAMED_KEYS(VELMORA_SDL_KEY)};
#undef VELMORA_SDL_KEY

}  // namespace

uint16_t virtualKeyOf(int32_t keycode, int32_t scancode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return uint16_t('A' + (keycode - SDLK_a));
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return uint16_t('0' + (keycode - SDLK_0));
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return uint16_t(KeyF1 + (keycode - SDLK_F1));
  if (keycode >= SDLK_F13 && keycode <= SDLK_F24) return uint16_t(KeyF13 + (keycode - SDLK_F13));
  if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9)
    return uint16_t(KeyPad0 + 1 + (keycode - SDLK_KP_1));
  if (keycode == SDLK_KP_0) return KeyPad0;
  for (const KeyPair& k : NamedKeys) {
    if (k.sdl == keycode) return k.code;
  }
  // A layout whose key types no Latin letter or digit: go by the key's place.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return uint16_t('A' + (scancode - SDL_SCANCODE_A));
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return uint16_t('1' + (scancode - SDL_SCANCODE_1));
  if (scancode == SDL_SCANCODE_0) return '0';
  return KeyOther;
}

}  // namespace platform
