// A fresh game for the statement tests, and snapshots of the records a
// statement may change, so a test can prove a failed statement changed none.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
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
// Runs statements whose answers the test does not look at.
void runStatements(std::initializer_list<const char*> lines);

// The bytes of every record a statement may write, status line apart.
struct RecordSnapshot {
  unsigned char maps[sizeof WorldMaps];
  unsigned char authority[sizeof Authority];
  unsigned char leader[sizeof LeaderPos];
  unsigned char charas[sizeof Charas];
  unsigned char tables[sizeof playerTables];
};
RecordSnapshot takeSnapshot();
// Returns whether the two snapshots agree byte for byte.
bool sameRecords(const RecordSnapshot& a, const RecordSnapshot& b);

// Chara 1's reliability and flags in world 1..5.
int16_t playerReliability(int world);
const uint8_t* playerFlags(int world);
uint8_t& mapCell(int world, int x, int y, int floor = 1);

// A statement and the answer it must leave on the status line
// (PreviousAnswer: it writes none).
struct AnswerCase {
  const char* statement;
  const char* answer = PreviousAnswer;
};
// Runs `statement`, expects `answer` and every record as it was.
void expectUnchanged(const char* statement, const char* answer = PreviousAnswer);
// expectUnchanged for each case; with `fresh`, each in a new game.
void expectEachUnchanged(std::initializer_list<AnswerCase> cases, bool fresh = false);

// Runs an accepted world statement from a fresh game: it must leave `tile`
// in cell (x, y) of `world`, take 30 off chara 1's reliability there, put
// the leader at `leader`, and change nothing else.
void expectOneCellChange(const char* statement, int world, int x, int y, int tile, MapPos leader);
// From a fresh game with the leader moved past each of the map's edges,
// `statement` changes nothing; without `privilege` it answers that there is
// no authority, as anywhere else.
void expectNothingPastTheEdge(const char* statement, int privilege);

// Builds a line of `count` filler tokens "a", so that the words that follow
// land at chosen slots of the token store. Write "=" without blanks around it
// there: a blank beside a symbol takes a slot of its own until compaction,
// and the store's end is reached by those slots.
std::string fillerTokens(int count);

class FreshGameTest : public ::testing::Test {
 protected:
  void SetUp() override { startFreshGame(); }
};
