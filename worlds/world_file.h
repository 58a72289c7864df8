// A world file as the program holds it: the five worlds' maps, where the
// charas of worlds 1 to 3 start, which tile set draws each world, and the
// text around them (title, author, the comments at its top) that an editor
// keeps when it writes the file back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"

// The newest format this game reads; a file naming a later one is refused.
constexpr int WorldFormat = 1;
// A world file is read whole; a longer one is refused before it is read.
constexpr size_t WorldFileLimit = size_t(1) << 20;
// Title and author, counted in characters (not bytes).
constexpr int WorldTextLimit = 60;
// The worlds with a maze, a chara and a goal: 1 to CharaWorlds.
constexpr int CharaWorlds = CharaCount;
// The tile sets a world may be drawn with (0: none, the worlds 4 and 5 of the
// built-in game).
constexpr int TileSetCount = 3;

struct WorldFile {
  int format = WorldFormat;
  std::string title;   // as written, at most WorldTextLimit characters, no control
  std::string author;  // the same
  // The comment lines at the top of the file, before anything else, without
  // their line ends: kept when the file is written back.
  std::vector<std::string> leadingComments;
  WorldMap maps[WorldCount];
  MapCell starts[CharaWorlds];   // floor 1 of worlds 1 to 3
  uint8_t tileSets[WorldCount];  // 0 (none) to TileSetCount
};

// Returns a world file with every cell code 5, the starts at (1, 1) and the
// tile sets the built-in game has (worlds 1 to 3 their own, 4 and 5 none).
WorldFile blankWorldFile();
