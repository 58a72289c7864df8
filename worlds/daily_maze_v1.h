// The mazes of the day's generator, version 1. Released: never change what
// this draws, or an old day would be made differently; a new look is a new
// version beside it.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "worlds/daily_random.h"

// Draws one maze on the 32 x 32 cells of `floor` (codes, row by row) from
// `random`: solid blocks, a winding maze of one-cell corridors round them
// with a few walls taken out, small rooms, every wall shaped as the built-in
// mazes are (wall_shaper.h), a start (which goes to *start) and one goal at
// a dead end. `world` (1 to 3) decides how many rooms and where the goal may
// lie. Returns false when no dead end fits the goal: the candidate fails.
bool drawDailyMazeV1(DailyRandom& random, int world, uint8_t* floor, MapCell* start);
