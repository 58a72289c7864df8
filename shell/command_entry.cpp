// Command entry on the character grid.
// Not written yet: these do nothing.
#include "shell/command_entry.h"

const uint8_t CharGrid[91] = {};

void openCommandEntry() {}
void moveCursor(int) {}
void pickChar() {}
void completeWord() {}
void drawCharGrid() {}
void drawGridCursor() {}
