// Command entry: the character grid, its cursor, picking, erasing,
// submitting and Tab completion.
#pragma once

#include <cstdint>

#include "game/game_state.h"

constexpr uint8_t EraseCode = 0x80;
constexpr uint8_t SubmitCode = 0x7F;
constexpr int PickLimit = 101;      // picking adds only below this length
constexpr int CompleteLimit = 100;  // completion runs only up to this length

// 13 x 7 cells, row by row; the two command cells sit at the end of the last row, and the
// space appears four times so that it is never far from the cursor.
inline constexpr uint8_t CharGrid[91] = {
    'A', 'B', 'C', 'D', 'E', 'F', 'G',  'H',  'I', 'J', 'K',       'L', 'M',  //
    'N', 'O', 'P', 'Q', 'R', 'S', 'T',  'U',  'V', 'W', 'X',       'Y', 'Z',  //
    'a', 'b', 'c', 'd', 'e', 'f', 'g',  'h',  'i', 'j', 'k',       'l', 'm',  //
    'n', 'o', 'p', 'q', 'r', 's', 't',  'u',  'v', 'w', 'x',       'y', 'z',  //
    '0', '1', '2', '3', '4', '5', '6',  '7',  '8', '9', '(',       ')', ',',  //
    ' ', '+', '-', '*', '/', '=', '\'', '<',  '>', '!', '.',       '%', '_',  //
    '#', ';', '^', '&', '|', '~', '"',  '\\', ' ', ' ', EraseCode, ' ', SubmitCode,
};
static_assert(sizeof CharGrid == GridCols * GridRows);

// A walk of the grid cursor by arrow keys: `key` pressed `steps` times along
// the row, then along the column.
struct CursorSteps {
  uint16_t key;
  int steps;
};
struct GridWalk {
  CursorSteps across;
  CursorSteps down;
};
// Returns the fewest arrow presses from cell (fromCol, fromRow) to (toCol,
// toRow). The grid wraps at its edges, so each axis goes the short way round,
// forward (right, down) when both ways are as long.
GridWalk gridWalk(int fromCol, int fromRow, int toCol, int toRow);

void openCommandEntry();
void moveCursor(int direction);
void pickChar();
void completeWord();
void drawCharGrid();
void drawGridCursor();
