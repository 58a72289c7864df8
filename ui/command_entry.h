// Command entry: the character grid, its cursor, picking, erasing,
// submitting and Tab completion.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "ui/keyboard.h"

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
// Returns the presses along one axis from `from` to `to`, both in [0, span):
// the short way round, forward when both ways are as long.
constexpr CursorSteps stepsAlong(int from, int to, int span, uint16_t forwardKey,
                                 uint16_t backKey) {
  const int forward = to >= from ? to - from : to - from + span;
  const int back = forward == 0 ? 0 : span - forward;
  return forward <= back ? CursorSteps{forwardKey, forward} : CursorSteps{backKey, back};
}
// Returns the fewest arrow presses from cell (fromCol, fromRow) to (toCol,
// toRow). The grid wraps at its edges, so each axis goes the short way round,
// forward (right, down) when both ways are as long. Inline: typing weighs
// every cell that holds a character, thousands of times in a replay.
constexpr GridWalk gridWalk(int fromCol, int fromRow, int toCol, int toRow) {
  return GridWalk{stepsAlong(fromCol, toCol, GridCols, platform::KeyRight, platform::KeyLeft),
                  stepsAlong(fromRow, toRow, GridRows, platform::KeyDown, platform::KeyUp)};
}

// Empties the command line, draws the grid with the cursor where it was left
// and puts the game in command entry. Runs no turn (the key handler does).
void openCommandEntry();
// Moves the grid cursor one cell by keypad `direction` (2 down, 8 up, 6
// right, 4 left), wrapping at the grid's edges, and redraws it; any other
// value leaves it in place and redraws it there.
void moveCursor(int direction);
// Acts on the cell under the cursor: the erase cell drops the line's last
// character, the submit cell runs the line (executeStatement), keeps it as
// LastCommand and goes back to the field, any other cell adds its character
// while the line is shorter than PickLimit. Redraws what changed.
void pickChar();
// Tab: on a line of at most CompleteLimit characters, adds the piece its
// first and last characters call for, or on an empty or unknown start recalls
// LastCommand; then redraws the line. A longer line is left as it is.
void completeWord();
// Draws the character grid and its separators on Image2 and keeps a copy of
// the grid (GridPicture) for the cursor's eraser to mend glyphs from.
void drawCharGrid();
// Wipes the cursor ring at its previous cell and draws it at the current one.
void drawGridCursor();
