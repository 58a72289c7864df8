// Reading a world file from its bytes: the whole file is checked before
// anything of it is used, and a file that breaks a rule is refused with the
// place and the reason, as `FILE:LINE:COLUMN: reason`. Where the bytes come
// from is the caller's business (the front ends' bounded reader, a test's
// text, the build's converter).
#pragma once

#include <string>
#include <string_view>

#include "worlds/world_file.h"

struct WorldFileError {
  std::string file;  // the name given to the reader, as given
  int line = 0;      // 1-based; 0: the file as a whole (it cannot be read)
  int column = 0;    // 1-based, in characters
  std::string reason;
  // Returns "FILE:LINE:COLUMN: reason" ("FILE: reason" for line 0), with
  // every control character of the file's name (a stranger may have chosen
  // it) written as \xHH.
  std::string message() const;
};

// What a file must be beyond its form. A game is played only on a `Play`
// file: each of worlds 1 to 3 has one goal on floor 1 and a start on floor.
// A `Draft` (what an editor opens and saves) may lack them or have several
// goals; its form is checked the same.
enum class WorldRules { Play, Draft };

// Reads the world file `bytes`, naming it `name` in a refusal. Returns true
// with *out filled, or false with *error set and *out left as it was.
bool readWorldFile(std::string_view name, std::string_view bytes, WorldFile* out,
                   WorldFileError* error, WorldRules rules = WorldRules::Play);
