// The store of the player's own tables and the small operations the
// statements share on it.
#pragma once

#include "game/game_state.h"

enum TokenForm : int { FormDigits, FormTableName, FormColumnName, FormQuoted };

// Returns the first slot whose name equals name exactly, or -1.
int findPlayerTable(const char* name);
bool checkTokenForm(int form, const char* text);
// Reads INT or VARCHAR ( n ) starting at token i; kind 0 when there is none.
ColumnType parseColumnType(int i);
// Whether a value token fits its column, and how it is stored.
enum CellValue : int {
  CellValueUnfit = 0,   // wrong form for the column, or no such column
  CellValueInt = 1,     // digits in an INT column: stored as typed
  CellValueQuoted = 2,  // a quoted text in a VARCHAR column: stored without quotes
};
CellValue checkCellValue(int slot, int column, const char* text);
// Returns the first of the slot's six columns, in index order, whose name
// equals name exactly, or -1.
int findColumn(int slot, const char* name);
// Empties a slot whole.
void clearPlayerTable(int slot);
