// Reading the fixed clauses that the world statements share: exact names,
// numbers in range, and the WHERE clause that names one cell of one world.
#pragma once

#include "game/game_state.h"
#include "sql/tokenizer.h"

// Reads `name = N` from tokens i, i + 1 and i + 2. Returns true, with *value
// set to N, when the name and "=" match exactly and lo <= N <= hi.
bool readAssignment(int i, const char* name, int lo, int hi, int* value);
// Reads `worldid = W` from tokens i to i + 2, W a world (1 to 5).
bool readWorldId(int i, int* world);
// Reads `x = X AND y = Y` from tokens i to i + 6, X and Y from 1 to 32.
bool readCellPosition(int i, int* x, int* y);

// A cell named by a WHERE clause. x and y are as typed, 1 to 32: 32 lies one
// past the map's last column or row and names no cell (see `onFloor`).
struct WorldCell {
  int world;
  int x;
  int y;
};
// Reads `worldid = W AND x = X AND y = Y` from tokens where + 1 to where + 11
// and requires token where + 12 to be empty. Returns true, with *cell set,
// when all of it matches; false leaves *cell alone.
bool readWorldCell(int where, WorldCell* cell);
