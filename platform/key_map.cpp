// SDL keycodes to virtual-key codes: the codes the game was designed around,
// so that its key handler needs to know nothing of SDL.
#include "platform/key_map.h"

#include <SDL_keycode.h>

namespace platform {
namespace {

// Named keys; letters and digits are handled by range.
struct KeyPair {
  SDL_Keycode sdl;
  uint16_t vk;
};

constexpr KeyPair NamedKeys[] = {
    {SDLK_BACKSPACE, VkBack}, {SDLK_TAB, VkTab},         {SDLK_RETURN, VkReturn},
    {SDLK_RETURN2, VkReturn}, {SDLK_KP_ENTER, VkReturn}, {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},      {SDLK_ESCAPE, VkEscape},   {SDLK_SPACE, VkSpace},
    {SDLK_PAGEUP, 33},        {SDLK_PAGEDOWN, 34},       {SDLK_END, 35},
    {SDLK_HOME, 36},          {SDLK_LEFT, VkLeft},       {SDLK_UP, VkUp},
    {SDLK_RIGHT, VkRight},    {SDLK_DOWN, VkDown},       {SDLK_PRINTSCREEN, 44},
    {SDLK_INSERT, 45},        {SDLK_DELETE, 46},         {SDLK_LSHIFT, 16},
    {SDLK_RSHIFT, 16},        {SDLK_LCTRL, 17},          {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},          {SDLK_RALT, 18},           {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},          {SDLK_APPLICATION, 93},    {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},      {SDLK_KP_MINUS, 109},      {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111},    {SDLK_NUMLOCKCLEAR, 144},  {SDLK_SCROLLLOCK, 145},
    {SDLK_SEMICOLON, 186},    {SDLK_EQUALS, 187},        {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},        {SDLK_PERIOD, 190},        {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},    {SDLK_LEFTBRACKET, 219},   {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

}  // namespace

uint16_t virtualKeyOf(int32_t keycode, int32_t scancode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return uint16_t('A' + (keycode - SDLK_a));
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return uint16_t('0' + (keycode - SDLK_0));
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return uint16_t(VkF1 + (keycode - SDLK_F1));
  if (keycode >= SDLK_F13 && keycode <= SDLK_F24) return uint16_t(124 + (keycode - SDLK_F13));
  if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9) return uint16_t(97 + (keycode - SDLK_KP_1));
  if (keycode == SDLK_KP_0) return 96;
  for (const KeyPair& k : NamedKeys) {
    if (k.sdl == keycode) return k.vk;
  }
  // A layout whose key types no Latin letter or digit: go by the key's place.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return uint16_t('A' + (scancode - SDL_SCANCODE_A));
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return uint16_t('1' + (scancode - SDL_SCANCODE_1));
  if (scancode == SDL_SCANCODE_0) return '0';
  return VkOther;
}

}  // namespace platform
