// The store of the player's own tables and the small operations the
// statements share on it.
#pragma once

#include "game/game_state.h"

// The lexical forms a token may have to take.
enum TokenForm : int {
  FormDigits,      // digits 0-9 only (the empty text too)
  FormTableName,   // 1 to 8 letters or digits, a letter first
  FormColumnName,  // as a table name
  FormQuoted,      // 'text' of letters and digits, '' included
};

// Returns the first slot whose name equals name exactly, or -1.
int findPlayerTable(const char* name);
// Returns whether text has the TokenForm form (false for any other form).
bool checkTokenForm(int form, const char* text);
// Reads INT or VARCHAR ( n ), n from 1 to 32, starting at token i; kind
// ColumnNone when there is none.
ColumnType parseColumnType(int i);
// Whether a value token fits its column, and how it is stored.
enum CellValue : int {
  CellValueUnfit = 0,   // wrong form for the column, or no such column
  CellValueInt = 1,     // digits in an INT column: stored as typed
  CellValueQuoted = 2,  // a quoted text in a VARCHAR column: stored without quotes
};
// Returns how text fits column of slot (CellValueUnfit for a slot or column
// out of range).
CellValue checkCellValue(int slot, int column, const char* text);
// Returns the first of the slot's six columns, in index order, whose name
// equals name exactly, or -1.
int findColumn(int slot, const char* name);
// Empties a slot whole, name, columns and rows; a slot out of range is left.
void clearPlayerTable(int slot);
