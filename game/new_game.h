// Starting a run at the title screen and a new game when the player leaves it.
#pragma once

// The once-per-run resets of the title screen: the built-in maps copied into
// the working maps, the turn budget, an empty command line and the grid
// cursor home. Whatever begins a run calls this: the title, the benchmarks,
// the fuzzers and the test fixtures.
void resetForRun();

// Puts the game in the field, places the leader and the charas, sets the
// authority planes and empties the player tables. Maps, score and seed are
// left as resetForRun set them.
void startNewGame();
