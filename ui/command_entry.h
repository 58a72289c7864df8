// Command entry: the character grid, its cursor, picking, erasing,
// submitting and Tab completion.
#pragma once

#include <cstdint>

constexpr uint8_t EraseCode = 0x80;
constexpr uint8_t SubmitCode = 0x7F;
constexpr int PickLimit = 101;      // picking adds only below this length
constexpr int CompleteLimit = 100;  // completion runs only up to this length

// 13 x 7 cells, row by row.
extern const uint8_t CharGrid[91];

void openCommandEntry();
void moveCursor(int direction);
void pickChar();
void completeWord();
void drawCharGrid();
void drawGridCursor();
