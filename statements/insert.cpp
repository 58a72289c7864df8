// INSERT: fills an empty map cell of a world, moving the leader to it, or
// appends a row to one of the player's own tables.
#include "statements/insert.h"

#include <cstring>

#include "game/game_state.h"
#include "sql/tokenizer.h"
#include "statements/authority.h"
#include "statements/player_tables.h"

namespace {

// A fixed run of tokens: literal texts compared exactly, and Number marking a
// place whose token is read as a number.
constexpr const char* Number = nullptr;

// Reads count tokens from start against shape; the numbers go to values in
// the order they stand (unless values is null). Returns false at the first
// literal that differs.
bool readShape(int start, const char* const* shape, int count, int32_t* values) {
  for (int i = 0; i < count; ++i) {
    if (shape[i] == Number) {
      if (values != nullptr) *values++ = readNumber(tokenAt(start + i));
    } else if (!tokenIs(start + i, shape[i])) {
      return false;
    }
  }
  return true;
}

// Reads a world form: its column list from token 3 and its value list from
// token v + 1, which must be the statement's end.
template <int Count>
bool readWorldForm(int v, const char* const (&columns)[Count], const char* const (&values)[Count],
                   int32_t* numbers) {
  return readShape(3, columns, Count, nullptr) && readShape(v + 1, values, Count, numbers) &&
         tokenEmpty(v + 1 + Count);
}

bool isField(int32_t f) { return f >= FirstWritableTile && f <= LastWritableTile; }

// The common end of the three world forms, once the shape is accepted: the
// privilege test, then the cell (x, y) on the leader's floor of world, which
// gets f if it is empty. The penalty is taken whether or not the cell was
// empty, and moveLeader sends the leader to (x, y) in its own world.
void fillWorldCell(int world, int32_t x, int32_t y, int32_t f, bool moveLeader) {
  // Ask for the privilege; no world outside 1 to 5 grants it.
  if (!requirePrivilege(world, PrivInsert)) return;
  // A position off the map would address some other cell of the world, or
  // none at all; such an insert does nothing and costs nothing.
  const int floor = LeaderPos.floor;
  if (!onFloor(x, y, floor)) return;

  // Change the records; the statement reports nothing.
  uint8_t& cell = WorldMaps[world - 1].cells[cellIndex(x, y, floor)];
  if (cell == TileEmpty) cell = uint8_t(f);
  lowerReliability(world, InsertPenalty);
  if (moveLeader) {
    LeaderPos.x = uint8_t(x);
    LeaderPos.y = uint8_t(y);
  }
}

// INSERT INTO world ( worldid , x , y , fieldid ) VALUES ( w , x , y , f )
//   -> fills (x, y) on the leader's floor of world w; the leader jumps to (x, y)
//      of its own world
bool insertWorldPosition(int v) {
  // clang-format off
  static constexpr const char* Columns[] = {"(", "worldid", ",", "x", ",", "y", ",", "fieldid", ")"};
  static constexpr const char* Values[] = {"(", Number, ",", Number, ",", Number, ",", Number, ")"};
  // clang-format on
  int32_t n[4];
  if (!readWorldForm(v, Columns, Values, n)) return false;
  const int32_t w = n[0];
  if (!isWorld(w) || !isField(n[3])) return false;
  fillWorldCell(w, n[1], n[2], n[3], true);
  return true;
}

// INSERT INTO world ( x , y , fieldid ) VALUES ( x , y , f )
//   -> fills (x, y) on the leader's floor; the leader jumps there
bool insertPosition(int v) {
  static constexpr const char* Columns[] = {"(", "x", ",", "y", ",", "fieldid", ")"};
  static constexpr const char* Values[] = {"(", Number, ",", Number, ",", Number, ")"};
  int32_t n[3];
  if (!readWorldForm(v, Columns, Values, n)) return false;
  if (!isField(n[2])) return false;
  fillWorldCell(LeaderPos.world, n[0], n[1], n[2], true);
  return true;
}

// INSERT INTO world ( fieldid ) VALUES ( f )     -> fills the leader's own cell
bool insertHere(int v) {
  static constexpr const char* Columns[] = {"(", "fieldid", ")"};
  static constexpr const char* Values[] = {"(", Number, ")"};
  int32_t n[1];
  if (!readWorldForm(v, Columns, Values, n)) return false;
  if (!isField(n[0])) return false;
  fillWorldCell(LeaderPos.world, LeaderPos.x, LeaderPos.y, n[0], false);
  return true;
}

// Copies text into a cell, cut to the cell's 32 characters.
void storeCell(char (&cell)[PlayerCellSize], const char* text, size_t length) {
  if (length > PlayerCellSize - 1) length = PlayerCellSize - 1;
  std::memcpy(cell, text, length);
  cell[length] = '\0';
}

// INSERT INTO t ( c1 , c2 , c3 ) VALUES ( v1 , v2 , v3 )   -> appends a row
//   tokens 3 to 9 the column list, 10 VALUES, 11 to 17 the value list, 18 empty
// INT values are digits, stored as typed; VARCHAR values are quoted, stored
// without their quotes. Columns not named stay empty in the new row.
void insertPlayerRow(int slot) {
  // Match the shape and read the columns and values.
  static constexpr const char* Shape[] = {"(", Number, ",", Number, ",", Number, ")"};
  if (!readShape(3, Shape, 7, nullptr) || !keywordEquals(tokenAt(10), "VALUES") ||
      !readShape(11, Shape, 7, nullptr) || !tokenEmpty(18)) {
    return;
  }
  int columns[3];
  CellValue forms[3];
  for (int k = 0; k < 3; ++k) {
    columns[k] = findColumn(slot, tokenAt(4 + 2 * k));
    if (columns[k] < 0) return;
    forms[k] = checkCellValue(slot, columns[k], tokenAt(12 + 2 * k));
    if (forms[k] == CellValueUnfit) return;
  }
  PlayerTable& table = playerTables[slot];
  if (table.rowCount >= PlayerRows) return;

  // Append the row; a column named twice keeps its last value.
  auto& row = table.rows[table.rowCount];
  std::memset(row, 0, sizeof row);
  for (int k = 0; k < 3; ++k) {
    const char* value = tokenAt(12 + 2 * k);
    const size_t length = std::strlen(value);
    if (forms[k] == CellValueQuoted) {
      storeCell(row[columns[k]], value + 1, length - 2);
    } else {
      storeCell(row[columns[k]], value, length);
    }
  }
  ++table.rowCount;
  setStatus("INSERT OK!");
}

}  // namespace

// INSERT INTO world ...          -> one of the three world forms
// INSERT INTO t ...              -> a row of player table t
void insertStatement() {
  // The frame: INTO, and VALUES unless the statement stops after the name.
  if (!keywordEquals(tokenAt(1), "INTO")) {
    answerNotFound("INTO");
    return;
  }
  const int v = findKeyword(2, "VALUES");
  if (missing(v) && lastToken == 2) {
    answerNotFound("VALUES");
    return;
  }
  // Route by table: the game's world, or one of the player's own.
  if (tokenIs(2, "world")) {
    if (insertWorldPosition(v)) return;
    if (insertPosition(v)) return;
    insertHere(v);
    return;
  }
  const int slot = findPlayerTable(tokenAt(2));
  if (slot < 0) return;
  insertPlayerRow(slot);
}
