// Watching a game: its keys pressed one by one at a pace a person can
// follow, steered by the player's own keys (pause, step, faster, slower, to
// the end, take over). The desktop window (velmora --watch) and the web page
// (a replay link) watch through this one feeder, so both keep the same pace;
// its keys go into the game as the player's do (pressGameKey, ui/key_chain).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class WatchState {
  WatchNone,      // nothing is watched: keys go to the game
  WatchPlaying,   // the keys play on their own
  WatchPaused,    // Space stopped them; Right shows the next one
  WatchFinished,  // every key has been pressed; Enter plays on
  WatchTakenOver  // the player plays on: keys go to the game
};

// What the player is told about the steering keys.
extern const char WatchKeysHelp[];

// Starts watching `keys` on the game as it stands (a fresh title, as a
// fresh form shows it): each key goes into the game as the window's keys go
// (pressGameKey). The tally of --summary starts afresh with it.
void startWatch(std::vector<uint8_t> keys);

// Ends the watch (a new game): keys go to the game again.
void stopWatch();

WatchState watchState();

// Whether the player's keys steer a watch now (it plays, is paused or has
// ended, and nobody has taken the game over).
bool watchSteers();

// Takes one key the player pressed. While watching, the keys steer: Space
// pauses and resumes, Right (paused) shows the next key, Up and Down make
// the pace faster and slower, End presses every key left without drawing
// each, Enter hands the game to the player. Returns whether the key was
// taken (false: it goes to the game).
bool steerWatch(uint16_t key);

// Presses the next key now. Returns how long its frame is held at the
// present pace, in milliseconds, or -1 when no key was left.
int watchStep();

// The watch's clock: presses the next key once its predecessor's frame has
// been held long enough. Returns the milliseconds until the next key is due,
// or -1 when nothing is due without a key of the player's (paused,
// finished, not watching). Call it whenever the wait it returned has passed
// and after every key the player presses.
int watchTick();

// The number of keys pressed so far.
size_t watchedKeys();

// The --summary line of the game watched so far.
std::string watchSummary();
