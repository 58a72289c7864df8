// Shaping the shorthand wall `#` of a world file into the wall piece (tile
// codes 1 to 9) the built-in mazes use in its place, from the open cells
// (floor or goal) on its four sides.
#pragma once

#include <cstdint>

// The sides of a cell, as bits of an open-sides mask.
enum OpenSide : unsigned {
  OpenAbove = 1,
  OpenBelow = 2,
  OpenLeft = 4,
  OpenRight = 8,
};

// Returns the wall piece for a wall whose open sides are `open` (OpenSide
// bits). The built-in mazes decide nine of the sixteen masks: none open is
// the interior 5, one side the edge facing it (above 2, below 8, left 4,
// right 6), two sides that meet the corner (above and left 1, above and
// right 3, below and left 7, below and right 9). The other seven are this
// game's choice, the piece every such wall of the built-in mazes has: open
// above and below 8, left and right 5; open on three sides, the edge facing
// the side across from the closed one (right closed 4, left closed 6, below
// closed 2, above closed 8); open all round 8.
uint8_t wallPiece(unsigned open);

// Returns whether the built-in mazes decide the piece for `open` by the rule
// alone (the nine masks above), rather than by the choice this game made.
bool wallPieceDecided(unsigned open);

// Returns the open sides of cell (x, y) of a 32 x 32 floor of codes, where a
// cell outside the floor counts as closed.
unsigned openSides(const uint8_t* floor, int x, int y);
