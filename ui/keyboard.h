// The form's key-down handler: the only way into the game after start-up.
#pragma once

#include <cstdint>

enum KeyCode : uint16_t {
  KeyTab = 9,
  KeyEnter = 13,
  KeySpace = 32,
  KeyLeft = 37,
  KeyUp = 38,
  KeyRight = 39,
  KeyDown = 40,
};

void FormKeyDown(uint16_t key);

// Returns whether key, pressed in the field, plays a turn: an arrow steps the
// leader, Enter opens command entry.
bool keyRunsTurn(uint16_t key);
