// The clause readers of the world statements. Positions are computed from
// keyword positions and may run past the token store: `tokenAt` reads those
// as the empty text.
#include "sql/world_clause.h"

#include "sql/tokenizer.h"

bool readAssignment(int i, const char* name, int lo, int hi, int* value) {
  if (!tokenIs(i, name) || !tokenIs(i + 1, "=")) return false;
  const int32_t n = readNumber(tokenAt(i + 2));
  if (n < lo || n > hi) return false;
  *value = n;
  return true;
}

bool readWorldId(int i, int* world) { return readAssignment(i, "worldid", 1, WorldCount, world); }

bool readCellPosition(int i, int* x, int* y) {
  return readAssignment(i, "x", 1, MapSide, x) && keywordEquals(tokenAt(i + 3), "AND") &&
         readAssignment(i + 4, "y", 1, MapSide, y);
}

bool readWorldCell(int where, WorldCell* cell) {
  WorldCell c{};
  if (!readWorldId(where + 1, &c.world)) return false;
  if (!keywordEquals(tokenAt(where + 4), "AND")) return false;
  if (!readCellPosition(where + 5, &c.x, &c.y)) return false;
  if (!tokenEmpty(where + 12)) return false;
  *cell = c;
  return true;
}
