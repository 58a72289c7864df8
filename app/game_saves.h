// The games the program keeps without being asked: every window game is
// recorded to the player's state folder ($XDG_STATE_HOME/velmora, by default
// ~/.local/state/velmora), one file per game, so that closing the window
// never loses a game; `velmora --continue` goes on with the last one not
// finished. A game is finished when its keys, replayed without drawing, win
// it; the newest finished ones are kept (SavedGamesKept), older finished
// ones removed, and an unfinished game, or a file not of ours, never is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int SavedGamesKept = 20;

// Starts the recording of a new game in the state folder, named by the
// time it starts ("game-YYYYMMDD-HHMMSS.keys", a counter added when that is
// taken), after removing the finished games past the newest SavedGamesKept.
// A folder that cannot be made or written, or that is not the player's own
// plain folder, is told in *error and the game is then played unrecorded.
bool startSavedGame(std::string* error);

// What --continue found.
enum class ContinueOutcome {
  Resumed,     // *keys hold the game's keys; the recording goes on
  NoneLeft,    // no unfinished game: *error says so, a new game is started
  Refused,     // the last unfinished game cannot be continued (*error)
  Unrecorded,  // the state folder cannot be used (*error): play on unrecorded
};
// Resumes the recording of the unfinished game played last (by the time its
// file last changed), as --resume does; with `wanted` (an identity) the
// last played on those worlds. *worlds is the identity of the worlds it names ("" for the
// built-in ones); a game whose worlds have no copy in the state folder is
// passed over.
ContinueOutcome continueSavedGame(std::vector<uint16_t>* keys, const std::string& wanted,
                                  std::string* worlds, std::string* error);
