// The one way a player's key reaches the game, on the desktop's window and on
// the page alike: startForm hands these to the backend, and a front end
// hands its own keys nowhere else. A key passes the watch first (which keeps
// its steering keys while a game is watched), then the typing layer (which
// turns a typed character into a walk on the grid), then the front end's
// keyPlayed hook (the recorder, the page's keeper), then FormKeyDown.
// Nothing on this road allocates.
#pragma once

#include <cstdint>

// A key-down of the window or of the page's screen.
void frontEndKeyDown(uint16_t key);
// A character the window typed (a Unicode code point): typing's business,
// unless a watch is steered.
void frontEndCharacter(uint32_t character);
// A key of the grid's own pressed past the typing layer (the page's touch
// keys): a walk under way is finished first, and a watch still steers.
void frontEndGridKey(uint16_t key);
// The backend's clock (FormEvents::tick): a typed character's walk shown
// step by step and, unless the front end plays it itself, the watched
// game's pace. Returns the milliseconds until it is next due, or -1.
int frontEndTick();

// A key going into the game: the front end's keyPlayed hook sees it, then
// FormKeyDown. The typing layer's walks and the watch press their keys here.
void pressGameKey(uint16_t key);
