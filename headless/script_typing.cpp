// Typing statements in headless scripts: `type TEXT` walks the grid cursor to
// each character by the fewest arrow presses and picks it with Space;
// `submit` walks to the submit cell and presses Space. Every move and pick
// is an ordinary key press, the same a player would make.
#include "headless/script_typing.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "ui/command_entry.h"
#include "ui/keyboard.h"

namespace headless {
namespace {

struct Cell {
  int col;
  int row;
};

int distance(Cell from, Cell to) {
  const GridWalk walk = gridWalk(from.col, from.row, to.col, to.row);
  return walk.across.steps + walk.down.steps;
}

// Finds the cell holding `byte` nearest to the cursor (the blank has four);
// the command cells are not characters. Returns false when there is none.
bool nearestCell(uint8_t byte, Cell* found) {
  if (byte == EraseCode || byte == SubmitCode) return false;
  const Cell cursor{CursorCol, CursorRow};
  bool any = false;
  // memchr: a replay types thousands of characters, and most are on one cell.
  const uint8_t* const end = CharGrid + GridCols * GridRows;
  for (auto* at = static_cast<const uint8_t*>(std::memchr(CharGrid, byte, size_t(end - CharGrid)));
       at; at = static_cast<const uint8_t*>(std::memchr(at + 1, byte, size_t(end - at - 1)))) {
    const int i = int(at - CharGrid);
    const Cell cell{i % GridCols, i / GridCols};
    if (!any || distance(cursor, cell) < distance(cursor, *found)) *found = cell;
    any = true;
  }
  return any;
}

void walkTo(Cell target) {
  const GridWalk walk = gridWalk(CursorCol, CursorRow, target.col, target.row);
  for (int n = walk.across.steps; n > 0; --n) pressKey(walk.across.key);
  for (int n = walk.down.steps; n > 0; --n) pressKey(walk.down.key);
}

bool inCommandEntry(const char* command, std::string* reason) {
  if (GameMode == ModeCommand) return true;
  *reason = std::string(command) + " works only in command entry (press Enter in the field first)";
  return false;
}

std::string describe(unsigned char c) {
  if (c >= 0x20 && c < 0x7F) return std::string("'") + char(c) + "'";
  char code[8];
  std::snprintf(code, sizeof code, "0x%02X", c);
  return code;
}

}  // namespace

// `text` is the rest of the line after the one blank behind the name, so
// blanks at either end are typed too.
bool typeCommand(std::string_view text, std::string* reason) {
  if (!inCommandEntry("type", reason)) return false;
  // Check the whole text first, so a bad line presses no key at all.
  for (size_t i = 0; i < text.size(); ++i) {
    Cell cell{};
    if (!nearestCell(uint8_t(text[i]), &cell)) {
      *reason = "character " + describe(uint8_t(text[i])) + " at column " + std::to_string(i + 1) +
                " is not on the character grid";
      return false;
    }
  }
  for (char c : text) {
    Cell cell{};
    nearestCell(uint8_t(c), &cell);
    walkTo(cell);
    pressKey(KeySpace);
  }
  return true;
}

bool submitCommand(std::string_view args, std::string* reason) {
  if (!args.empty()) {
    *reason = "submit takes no arguments";
    return false;
  }
  if (!inCommandEntry("submit", reason)) return false;
  walkTo(Cell{GridCols - 1, GridRows - 1});
  pressKey(KeySpace);
  return true;
}

}  // namespace headless
