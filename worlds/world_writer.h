// Writing a world file back as text: what an editor saves and a generator
// exports. The text reads back to the same file (the same identity, title,
// author and leading comments).
#pragma once

#include <string>

#include "worlds/world_file.h"

// Returns the text of `file`: its leading comments, the format, title and
// author, the tile sets that differ from a blank file's, and every floor that
// is not all code 5, in the exact codes (1 to 9, A, B). A start other than
// (1, 1) is written as `@` on its cell, which must then be floor (a start on
// anything else reads back as (1, 1)).
std::string writeWorldFile(const WorldFile& file);
