// Typing on the keyboard in command entry: an input method in front of the
// game. A typed character is turned into the grid keys that walk the cursor
// to it and pick it, the fewest presses there are; only those grid keys
// (arrows and Space) reach the game, so a typed game is recorded and
// replayed as the same keys a player walking the grid would press. The
// headless `type` and `submit` plan their presses here too.
#pragma once

#include <cstdint>

// The presses of one pick: at most half the grid across, half of it down,
// then Space.
struct GridKeys {
  uint16_t keys[16];
  int count = 0;
};

// Plans the fewest presses that walk the cursor from where it stands to a
// cell holding `cell` (the nearest one: the blank has four) and pick it with
// Space; `cell` may be EraseCode or SubmitCode. Returns false, planning
// nothing, when no cell holds it.
bool planPick(uint8_t cell, GridKeys* keys);
// Whether the player can type `character`: a cell of the grid holds it, and
// it is none of the two command cells, which are no characters.
bool typeable(uint8_t character);
// As planPick, for a character the player types: plans nothing for one that
// is not typeable.
bool planCharacter(uint8_t character, GridKeys* keys);

// Turns typing on (the default) or off: off, every key goes to the game
// unchanged and typed characters do nothing, as with --grid-only. The grid
// keys typing presses go into the game as the player's (pressGameKey), so the
// front end's keyPlayed hook sees them.
void setTyping(bool on);

// A key-down from the window. Outside command entry, or with typing off, it
// goes to the game unchanged. In command entry the arrows and Tab go as they
// are; Backspace picks the erase cell and Enter the submit cell; Space picks
// the cell under the cursor, unless the key before it was a typed character
// (or Backspace), when it types a space; any other key is the typed
// character's own business and reaches nothing. A walk already under way is
// finished first, at once. Allocates nothing.
void typingKeyDown(uint16_t key);
// A character the window typed (a Unicode code point): in command entry, with
// typing on, plans its pick when the grid holds it; a blank is Space's
// business and any other character does nothing. The walk is then pressed by
// typingWalk. Allocates nothing.
void typingCharacter(uint32_t character);
// Presses the next key of the walk under way. Returns the milliseconds to
// wait before calling it again, or -1 when no walk is under way: the front
// end shows each step of the walk for a moment.
int typingWalk();
// Presses what is left of the walk under way at once.
void finishTypingWalk();
