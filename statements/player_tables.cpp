// The small operations that CREATE, DROP, ALTER, INSERT and SELECT share on
// the store of the player's own tables: lookup by name, the lexical forms of
// names and values, column types, and emptying a slot.
#include "statements/player_tables.h"

#include <cstring>

#include "sql/tokenizer.h"

namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// 1 to 8 characters, a letter first, then letters or digits: the one form
// that both table and column names share, and that fits a 9-byte name field.
bool isPlainName(const char* text) {
  if (!isLetter(text[0])) return false;
  size_t length = 1;
  for (; text[length] != '\0'; ++length) {
    if (length >= PlayerNameSize - 1) return false;
    if (!isLetter(text[length]) && !isDigit(text[length])) return false;
  }
  return true;
}

bool isDigits(const char* text) {
  for (const char* p = text; *p != '\0'; ++p) {
    if (!isDigit(*p)) return false;
  }
  return true;
}

// '' passes: an empty quoted value stores an empty cell.
bool isQuoted(const char* text) {
  const size_t length = std::strlen(text);
  if (length < 2 || text[0] != '\'' || text[length - 1] != '\'') return false;
  for (size_t i = 1; i + 1 < length; ++i) {
    if (!isLetter(text[i]) && !isDigit(text[i])) return false;
  }
  return true;
}

}  // namespace

int findPlayerTable(const char* name) {
  // A stored name always ends within its field, so a longer name differs at
  // the latest at the stored terminator.
  for (int slot = 0; slot < PlayerTableSlots; ++slot) {
    if (std::strncmp(name, playerTables[slot].name, PlayerNameSize) == 0) return slot;
  }
  return -1;
}

bool checkTokenForm(int form, const char* text) {
  switch (form) {
    case FormDigits:
      return isDigits(text);
    case FormTableName:
    case FormColumnName:
      return isPlainName(text);
    case FormQuoted:
      return isQuoted(text);
    default:
      return false;
  }
}

ColumnType parseColumnType(int i) {
  if (keywordEquals(tokenAt(i), "INT")) return ColumnType{ColumnInt, 4};
  if (keywordEquals(tokenAt(i), "VARCHAR") && std::strcmp(tokenAt(i + 1), "(") == 0 &&
      std::strcmp(tokenAt(i + 3), ")") == 0) {
    // A cell holds 32 characters, so no column may promise more.
    const int32_t size = readNumber(tokenAt(i + 2));
    if (size >= 1 && size < PlayerCellSize) return ColumnType{ColumnVarchar, uint8_t(size)};
  }
  return ColumnType{ColumnNone, 0};
}

CellValue checkCellValue(int slot, int column, const char* text) {
  if (slot < 0 || slot >= PlayerTableSlots || column < 0 || column >= PlayerColumns) {
    return CellValueUnfit;
  }
  const uint8_t kind = playerTables[slot].columnTypes[column].kind;
  if (kind == ColumnInt && checkTokenForm(FormDigits, text)) return CellValueInt;
  if (kind == ColumnVarchar && checkTokenForm(FormQuoted, text)) return CellValueQuoted;
  return CellValueUnfit;
}

void clearPlayerTable(int slot) {
  if (slot < 0 || slot >= PlayerTableSlots) return;
  std::memset(&playerTables[slot], 0, sizeof playerTables[slot]);
}

int findColumn(int slot, const char* name) {
  if (slot < 0 || slot >= PlayerTableSlots) return -1;
  for (int column = 0; column < PlayerColumns; ++column) {
    if (std::strncmp(name, playerTables[slot].columnNames[column], PlayerNameSize) == 0) {
      return column;
    }
  }
  return -1;
}
