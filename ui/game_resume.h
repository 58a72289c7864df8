// Continuing a recorded game in the window: its keys played again without
// drawing, then the screen they led to drawn as the player last saw it. A
// headless replay that asks for its first picture late starts drawing the
// same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Presses `keys` in order on the game as the form has created it, drawing
// only for the last one, and presents the frame it leaves. Every record ends
// as it would after pressing the keys in a drawn game, and so does the frame.
void playRecordedKeys(const std::vector<uint16_t>& keys);
// The same for keys kept as bytes (the page's).
void playRecordedKeys(const uint8_t* keys, size_t count);

// Plays `keys` on a new game with the form's drawing set aside and returns
// whether they won it (the game cleared: no later key changes anything). The
// records are left reset, as before the form's creation, and the drawing as
// it was: a recording can be judged before the window opens.
bool keysWinGame(const std::vector<uint16_t>& keys);
// Presses `count` keys from `keys` as playRecordedKeys does, each through
// `press` (which passes it on to FormKeyDown), so that whoever watches the
// keys still sees every one. A form whose drawing is set aside stays so.
void playKeysWithoutDrawing(const uint8_t* keys, size_t count, void (*press)(uint16_t key));

// Presses `count` keys from `keys` as playRecordedKeys does, tallied as a
// replay is (replayTally), from a new tally: a game played from a fresh
// title again ends where it was, its tally known.
void playKeysTallied(const uint8_t* keys, size_t count);

// Turns the form's drawing on for a game played so far with it set aside
// from the start (headless, until the first screenshot): loads what the form
// draws with, makes its surfaces and draws the frame a game drawn all along
// would show now. Throws std::runtime_error as loadFormResources does.
void startDrawingFromRecords();
