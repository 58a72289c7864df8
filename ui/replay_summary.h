// The summary of a replayed game (velmora --headless --summary): how many
// turns were played and statements submitted, and the score if it was won.
// It is tallied by watching each key press the script runner makes, so the
// game's own records stay as they are.
#pragma once

#include <cstdint>
#include <string>

struct ReplayTally {
  int turns = 0;       // field keys that ran a turn: arrows and Enter
  int statements = 0;  // Space pressed on the submit cell in command entry
  bool won = false;    // a turn ended the game with all charas arrived
  int score = 0;       // the score the winning turn announced
};

// Starts a new tally (at the start of each script).
void resetReplayTally();
// Notes a key press about to be handed to the game, and then its outcome.
// Every key a script presses goes through this pair.
void tallyBeforeKey(uint16_t key);
void tallyAfterKey();

// Whether `key`, pressed now, would run a turn in the field, or submit the
// statement in command entry.
bool pressRunsTurn(uint16_t key);
bool pressSubmitsStatement(uint16_t key);

// Returns the tally so far.
const ReplayTally& replayTally();

// Returns the summary line, without a line end:
//   won score=S turns=T statements=N
//   not won turns=T statements=N
std::string summaryLine(const ReplayTally& tally);
