// The rule tests' games, records only: a fresh game as the window starts it,
// a statement run through the dispatcher, snapshots of the records a
// statement may change, and a short text of a player table to compare whole.
// Nothing here reaches the screen, so the rule tests link the rules alone.
#pragma once

#include <string>

#include "game/game_state.h"

// What StatusText holds before each statement run by `runStatement`: a
// statement that writes nothing leaves it on show.
inline constexpr const char* PreviousAnswer = "(previous answer)";

// Starts a game as the window does: program-start records, working maps copied
// from the built-in ones, a budget of 5000, then the new game itself.
void startFreshGame();

// Sets StatusText to PreviousAnswer, runs line through the dispatcher and
// returns what StatusText then holds.
std::string runStatement(const char* line);

// The bytes of every record a statement may write, status line apart.
struct RecordSnapshot {
  WorldMap maps[WorldCount];
  AuthorityPlane authority[WorldCount];
  MapPos leader;
  CharaRec charas[CharaCount];
  PlayerTable tables[PlayerTableSlots];
};
RecordSnapshot takeSnapshot();
// Names the first record in which the two snapshots differ, or "" when they
// agree byte for byte.
std::string firstDifference(const RecordSnapshot& a, const RecordSnapshot& b);

// A player table slot as one line: "-" for a slot that is zero throughout,
// else "name(col:I4,col:V8,...)" and its rows, cells joined by ",", rows by
// "/", for every column that has a name or a type.
std::string tableText(const PlayerTable& table);
