// The statements that shape the player's own tables: CREATE TABLE makes one
// in the lowest free slot, DROP TABLE frees a slot, ALTER TABLE ... ADD gives
// a table one more column, up to six.
#include "statements/schema.h"

#include <cassert>
#include <cstring>

#include "game/game_state.h"
#include "sql/tokenizer.h"
#include "statements/player_tables.h"
#include "statements/reserved_words.h"

namespace {

bool allSlotsInUse() {
  for (const PlayerTable& table : playerTables) {
    if (table.name[0] == '\0') return false;
  }
  return true;
}

// Copies a name that has passed the name form (at most 8 characters), the
// rest of the field zero. (Not strncpy: gcc cannot see the name form and
// warns that a 15-character token would be cut.)
void copyName(char (&field)[PlayerNameSize], const char* name) {
  std::memset(field, 0, PlayerNameSize);
  std::memcpy(field, name, strnlen(name, PlayerNameSize - 1));
}

// Number of tokens a parsed type takes: one for INT, four for VARCHAR ( n ).
int typeWidth(ColumnType type) { return type.kind == ColumnInt ? 1 : 4; }

}  // namespace

// CREATE TABLE name ( c1 type , c2 type , c3 type )   -> fills the lowest free slot
//   token:  0     1     2  3  4                         where type is INT or VARCHAR ( n )
// The table is built in a scratch record and copied only when the whole
// statement has been read, so a failure at any step leaves the store alone.
void createTableStatement() {
  // Step 1: the word TABLE.
  if (!keywordEquals(tokenAt(1), "TABLE")) {
    answerNotFound("TABLE");
    return;
  }
  // Step 2: room for one more table, before anything about the name.
  if (allSlotsInUse()) {
    setStatus("no empty memory.");
    return;
  }
  // Step 3: the name, reserved words first so that even an impossible name
  // like ADD_MONTHS is told why.
  const char* name = tokenAt(2);
  if (isReservedWord(name)) {
    setStatus("A reservation word cannot be used.");
    return;
  }
  if (!checkTokenForm(FormTableName, name)) return;

  // Step 4: the column list, exactly three columns.
  PlayerTable scratch{};
  copyName(scratch.name, name);
  if (!tokenIs(3, "(")) return;
  int p = 4;
  for (int column = 0; column < 3; ++column) {
    if (!checkTokenForm(FormColumnName, tokenAt(p))) return;
    copyName(scratch.columnNames[column], tokenAt(p));
    ++p;
    const ColumnType type = parseColumnType(p);
    if (type.kind == ColumnNone) return;
    scratch.columnTypes[column] = type;
    p += typeWidth(type);
    if (!tokenIs(p, column < 2 ? "," : ")")) return;
    ++p;
  }
  if (tokenAt(p)[0] != '\0') return;

  // Step 5: store it. A free slot is zero throughout, as is the scratch
  // record's row store, so copying the whole record keeps the rows empty.
  const int slot = findPlayerTable("");
  assert(slot >= 0);
  playerTables[slot] = scratch;
  setStatus("The table was created.");
}

namespace {

// DROP and ALTER open alike: TABLE, then the name of a table of the player's.
// Returns the table's slot, or -1 after answering what is missing.
int namedTableSlot() {
  if (!keywordEquals(tokenAt(1), "TABLE")) {
    answerNotFound("TABLE");
    return -1;
  }
  const int slot = findPlayerTable(tokenAt(2));
  if (slot < 0) answerNotFound("Player table");
  return slot;
}

}  // namespace

// DROP TABLE name          -> empties the lowest slot of that exact name
// Tokens after the name are not read. An empty name finds a free slot, which
// is emptied again: the store does not change, yet the drop is reported.
void dropTableStatement() {
  // Steps 1 and 2: the word TABLE, then the table.
  const int slot = namedTableSlot();
  if (slot < 0) return;
  // Step 3: free it, rows and all.
  clearPlayerTable(slot);
  setStatusf("%s table was dropped", tokenAt(2));
}

// ALTER TABLE name ADD column type     -> the column goes to the lowest unused index
//   token: 0     1    2   3    4     5      type is INT or VARCHAR ( n ) at 5 to 8
// Tokens after the type are not read. Existing rows get an empty cell.
void alterTableStatement() {
  // Steps 1 and 2: the word TABLE, then the table.
  const int slot = namedTableSlot();
  if (slot < 0) return;
  // Step 3: ADD is the only change the store knows.
  if (!keywordEquals(tokenAt(3), "ADD")) {
    setStatus("no support");
    return;
  }
  // Step 4: the new column, read whole before the room for it is looked at.
  if (!checkTokenForm(FormColumnName, tokenAt(4))) return;
  const ColumnType type = parseColumnType(5);
  if (type.kind == ColumnNone) return;

  // Step 5: the lowest unused column.
  PlayerTable& table = playerTables[slot];
  int column = 0;
  while (column < PlayerColumns && table.columnTypes[column].kind != ColumnNone) ++column;
  if (column == PlayerColumns) {
    setStatus("too many columns.");
    return;
  }

  // Step 6: add it.
  copyName(table.columnNames[column], tokenAt(4));
  table.columnTypes[column] = type;
  for (auto& row : table.rows) std::memset(row[column], 0, PlayerCellSize);
  setStatus("The column was added.");
}
