// Loading a world file a front end was given by path: read whole, bounded by
// the world file's limit, then checked by the rules' reader. The one way a
// world file's bytes enter the program from a path.
#pragma once

#include <string>

#include "worlds/world_reader.h"

// Reads the world file at `path` (a plain file; a link to one is followed,
// as reading changes nothing) and checks it by `rules`. Returns true with
// *out filled, or false with *error set: a file that cannot be read as
// "FILE: reason", a refused one as "FILE:LINE:COLUMN: reason".
bool loadWorldFile(const std::string& path, WorldFile* out, WorldFileError* error,
                   WorldRules rules = WorldRules::Play);
