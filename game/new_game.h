// Starting a run at the title screen and a new game when the player leaves it.
#pragma once

// Does the once-per-run resets of the title screen: copies the played maps
// into the working maps, sets the score to the turn budget, empties the
// command line and the last command and puts the grid cursor home. Whatever
// begins a run calls this after `resetAllState`: the title, the benchmarks,
// the fuzzers and the test fixtures.
void resetForRun();

// Puts the game in the field, places the leader and the charas on their start
// cells, sets the authority planes of worlds 1 to 3 (every flag held) and
// empties the player tables. Maps, score and seed are left as resetForRun set
// them.
void startNewGame();
