// The form's key-down handler: the only way into the game after start-up.
#pragma once

#include <cstdint>

#include "game/movement.h"
#include "platform/key_codes.h"

// Handles one key press by the game's mode: on the title any key starts a new
// game; in the field an arrow steps and runs a turn, Enter opens command entry
// and runs a turn; in command entry arrows move the cursor, Space picks the
// cell under it and Tab completes the word. Other keys change nothing. Every
// key, whatever it did, ends by presenting the frame (presentFrame), once.
// Allocates nothing.
void FormKeyDown(uint16_t key);

// Returns the keypad direction of an arrow key, or 0 for any other key.
inline int directionOf(uint16_t key) {
  switch (key) {
    case platform::KeyUp:
      return DirUp;
    case platform::KeyDown:
      return DirDown;
    case platform::KeyLeft:
      return DirLeft;
    case platform::KeyRight:
      return DirRight;
    default:
      return 0;
  }
}

// Returns whether key, pressed in the field, plays a turn: an arrow steps the
// leader, Enter opens command entry. Inline: a replay asks it of every key.
inline bool keyRunsTurn(uint16_t key) { return directionOf(key) != 0 || key == platform::KeyEnter; }
