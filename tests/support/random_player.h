// The soak's random player: games of pseudo-random key presses through
// FormKeyDown (arrows, Enter, Space and Tab, statements of every family typed
// on the grid with random numbers, random grid characters), each key
// recorded with a fingerprint of the records after it, so the same game can
// be played again and compared key by key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/command_entry.h"

// The soak's own generator (splitmix64), apart from the game's, so that the
// keys chosen never depend on the generator under test.
struct SoakRandom {
  uint64_t state;
  uint32_t next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
  }
  int below(int n) { return int(next() % uint32_t(n)); }
  bool chance(int percent) { return below(100) < percent; }
};

// A fingerprint of the small records (positions, mode, score, seeds, cursor,
// status, authority): two runs of one game must agree on it after every key.
uint64_t smallRecordsFingerprint();

// What a run of games reached, so a soak that stopped exercising the game
// (every statement refused, nobody moving) fails instead of passing quietly.
struct PlayReach {
  int statements = 0;
  int worldChanges = 0;  // the leader left world 1
  int tablesMade = 0;    // a table slot held a table
  int mapsChanged = 0;   // a game ended with a working map unlike the built-in one
  int spellsCast = 0;    // the search spell answered
  int wins = 0;
};

// Plays one game from a fresh title with keys chosen at random (they depend
// on where the cursor is), up to a budget of key presses; records each key
// with the fingerprint after it and checks the invariants after every one.
class RandomPlayer {
 public:
  RandomPlayer(uint64_t seed, int keyBudget, PlayReach* reach)
      : random_{seed}, keyBudget_(keyBudget), reach_(reach) {}

  // Plays the game into `keys` and `prints` (a fingerprint after each key).
  // Returns false at the first broken invariant, which failure() describes.
  bool play(std::vector<uint16_t>* keys, std::vector<uint64_t>* prints);
  const std::string& failure() const { return failure_; }

 private:
  // Adds what this game reached to the tally and returns whether it kept
  // every invariant.
  bool finish();
  uint16_t playableKey();
  // Presses one key, records it and checks the invariants.
  void press(uint16_t key);
  void fieldMove();
  void commandMove();
  // Walks the cursor to a cell holding c (the first one in the grid) along
  // the shorter way round each axis, and picks it.
  void typeChar(uint8_t c);
  void pressTimes(CursorSteps along);
  void typeText(const std::string& text);
  void submit();

  SoakRandom random_;
  int keyBudget_;
  PlayReach* reach_;
  std::vector<uint16_t>* keys_ = nullptr;
  std::vector<uint64_t>* prints_ = nullptr;
  bool ok_ = true;
  bool sawWorldChange_ = false;
  bool sawTable_ = false;
  int pending_ = 0;  // statements of SpellSequence still to type
  std::string failure_;
};
