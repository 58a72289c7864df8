// Which worlds the run plays: the built-in ones, or a world file installed
// before the title. Installing sets the played records of game_state.h that
// the title (`resetForRun`), the new game and the field view read.
#pragma once

#include <string>

#include "worlds/world_file.h"

// Makes every later run (from the title on) play on `file`'s maps, starts
// and tile sets. The game in progress keeps its working maps until the next
// title. A copy is kept: `file` may go.
void installWorlds(const WorldFile& file);
// Makes every later run play on the built-in worlds again.
void installBuiltInWorlds();
// Whether the built-in worlds are the ones played.
bool builtInWorldsPlayed();

// Returns the built-in worlds as a world file (no title, author or
// comments): the model of assets/worlds/velmora.worlds.
WorldFile builtInWorldFile();
// Returns the identity of the worlds played (world_identity.h). The built-in
// worlds' is the build's; an installed file's is computed.
std::string playedWorldsIdentity();
