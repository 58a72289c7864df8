// SELECT from the player's own tables: finding a row by one column's value
// and casting the spell its selected cells hold. The one spell known is the
// search, which reports where a field value first lies on floor 1.
#include <cstring>

#include "game/game_state.h"
#include "sql/tokenizer.h"
#include "statements/player_tables.h"
#include "statements/select_tables.h"

namespace {

// The number of bytes of a text of at most size bytes, up to its terminator.
int boundedLength(const char* text, int size) {
  int length = 0;
  while (length < size && text[length] != '\0') ++length;
  return length;
}

// Compares the first count bytes of two texts, each read as if followed by
// zero bytes as far as needed, never past its own storage.
bool samePrefix(const char* a, int aSize, const char* b, int bSize, int count) {
  const int aLength = boundedLength(a, aSize);
  const int bLength = boundedLength(b, bSize);
  for (int i = 0; i < count; ++i) {
    const char ca = i < aLength ? a[i] : '\0';
    const char cb = i < bLength ? b[i] : '\0';
    if (ca != cb) return false;
  }
  return true;
}

// Searches floor 1 of the leader's world, row by row from (0, 0), whatever
// floor the party stands on.
void searchSpell(int v) {
  const int world = LeaderPos.world;
  if (isWorld(world)) {
    const uint8_t* cells = WorldMaps[world - 1].cells;
    for (int i = 0; i < CellsPerFloor; ++i) {
      if (cells[i] != v) continue;
      setStatusf("lafolue:x=%d,y=%d", i % MapSide, i / MapSide);
      return;
    }
  }
  setStatus("lafolue:not found");
}

// The words of the search spell are exact: Tuti or TUTI is no spell.
bool castSpell(const char* first, const char* second, const char* third) {
  if (std::strcmp(first, "tuti") != 0 || std::strcmp(second, "sagasu") != 0) return false;
  searchSpell(readNumber(third));
  return true;
}

// SELECT c1 , c2 , c3 ... FROM t WHERE c4 = v    -> casts the spell in cells c1, c2, c3
//   token: 1  2  3  4  5                w+1 w+2 w+3   of the first row whose c4 matches v
// A VARCHAR value is a prefix of the cell ('ab' finds abc); an INT value is
// compared on the column's four characters. Tokens after v are not read.
void selectPlayerTable(int slot, int w) {
  // Match the shape: three selected columns and one compared column.
  const int p1 = findColumn(slot, tokenAt(1));
  const int p2 = findColumn(slot, tokenAt(3));
  const int p3 = findColumn(slot, tokenAt(5));
  const int k = findColumn(slot, tokenAt(w + 1));
  if (p1 < 0 || p2 < 0 || p3 < 0 || k < 0) return;
  if (std::strcmp(tokenAt(2), ",") != 0 || std::strcmp(tokenAt(4), ",") != 0 ||
      std::strcmp(tokenAt(w + 2), "=") != 0) {
    return;
  }
  const char* token = tokenAt(w + 3);
  if (token[0] == '\0') return;

  // The value and how much of it counts: a quoted VARCHAR value without its
  // quotes, an INT value on the column's width. A lone quote leaves less than
  // nothing to compare and finds no row.
  const bool quoted = token[0] == '\'';
  const char* value = quoted ? token + 1 : token;
  const PlayerTable& table = playerTables[slot];
  int length = table.columnTypes[k].size;
  if (table.columnTypes[k].kind == ColumnVarchar) {
    length = int(std::strlen(token)) - (quoted ? 2 : 0);
  }
  if (length < 0) return;

  // Find the first row.
  for (int r = 0; r < table.rowCount && r < PlayerRows; ++r) {
    const auto& row = table.rows[r];
    if (!samePrefix(row[k], PlayerCellSize, value, TokenSize - 1, length)) continue;
    if (!castSpell(row[p1], row[p2], row[p3])) setStatus("Magic was fumbled!");
    return;
  }
}

}  // namespace

void selectFromPlayerTable(const char* name, int where) {
  const int slot = findPlayerTable(name);
  if (slot >= 0) selectPlayerTable(slot, where);
}
