// The invariant checker over the global game records (see invariants.h).
// Each rule comes from the game's own rules for its records, not from what
// the code happens to do today; a broken one names what it found.
#include "tests/support/invariants.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "game/game_state.h"

namespace {

constexpr int CommandMaxLength = 112;  // 101 picked plus 12 completed, less one

// Writes the formatted reason into why (if wanted) and returns false.
bool broken(std::string* why, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool broken(std::string* why, const char* format, ...) {
  if (why != nullptr) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    *why = text;
  }
  return false;
}

// Whether the size-byte array holds a zero.
bool terminated(const char* text, size_t size) { return std::memchr(text, 0, size) != nullptr; }

bool allZero(const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

// Whether c is a character of the command grid: only those can be picked,
// and completion adds letters, blanks, "=" and "(" alone.
bool onGrid(char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return c != '\0' && std::strchr("(), +-*/='<>!.%_#;^&|~\"\\", c) != nullptr;
}

// Returns the position of the first character of text off the grid, or -1.
int offGrid(const char* text) {
  for (int i = 0; text[i] != '\0'; ++i) {
    if (!onGrid(text[i])) return i;
  }
  return -1;
}

bool checkTexts(std::string* why) {
  if (!terminated(StatusText, StatusSize)) return broken(why, "StatusText has no terminating zero");
  if (!terminated(CommandLine, CommandSize)) {
    return broken(why, "CommandLine has no terminating zero");
  }
  const size_t length = std::strlen(CommandLine);
  if (length != CommandLength) {
    return broken(why, "CommandLength %d but CommandLine holds %zu characters", CommandLength,
                  length);
  }
  if (length > CommandMaxLength) return broken(why, "CommandLine holds %zu characters", length);
  if (int at = offGrid(CommandLine); at >= 0) {
    return broken(why, "CommandLine character %d is byte %d, not on the grid", at,
                  uint8_t(CommandLine[at]));
  }
  if (!terminated(LastCommand, CommandSize)) {
    return broken(why, "LastCommand has no terminating zero");
  }
  if (std::strlen(LastCommand) > CommandMaxLength) {
    return broken(why, "LastCommand holds %zu characters", std::strlen(LastCommand));
  }
  if (int at = offGrid(LastCommand); at >= 0) {
    return broken(why, "LastCommand character %d is byte %d, not on the grid", at,
                  uint8_t(LastCommand[at]));
  }
  return true;
}

bool checkTokens(std::string* why) {
  if (lastToken < -1 || lastToken >= TokenSlots) return broken(why, "lastToken is %d", lastToken);
  for (int i = 0; i < TokenSlots; ++i) {
    if (!terminated(tokens[i], TokenSize))
      return broken(why, "token %d has no terminating zero", i);
    const size_t length = std::strlen(tokens[i]);
    if (tokenLengths[i] != length) {
      return broken(why, "tokenLengths[%d] is %u but token %d holds %zu characters", i,
                    tokenLengths[i], i, length);
    }
    if (i <= lastToken && length == 0) {
      return broken(why, "token %d is empty but lastToken is %d", i, lastToken);
    }
    if (i > lastToken && !allZero(tokens[i], TokenSize)) {
      return broken(why, "token %d past lastToken %d is not empty", i, lastToken);
    }
  }
  return true;
}

// Whether any of the 8 bytes is TileCount (12) or more; may answer true
// for a clean word when a carry crosses bytes, never false for a bad one.
bool mayHoldBadCode(uint64_t word) {
  constexpr uint64_t AddUp = 0x7474747474747474ull;  // 0x74 + 12 = 0x80
  constexpr uint64_t HighBits = 0x8080808080808080ull;
  return ((word | (word + AddUp)) & HighBits) != 0;
}

bool checkMaps(std::string* why) {
  static_assert(TileCount == 12, "the word test assumes 12 tile codes");
  for (int w = 0; w < WorldCount; ++w) {
    const uint8_t* cells = WorldMaps[w].cells;
    // The maps are checked after every key and statement: skip clean words.
    for (int i = 0; i < CellsPerWorld; i += 8) {
      uint64_t word;
      std::memcpy(&word, cells + i, sizeof word);
      if (!mayHoldBadCode(word)) continue;
      for (int j = i; j < i + 8; ++j) {
        if (cells[j] >= TileCount) {
          return broken(why, "world %d floor %d cell (%d, %d) holds tile code %d", w + 1,
                        j / CellsPerFloor + 1, j % MapSide, j / MapSide % MapSide, cells[j]);
        }
      }
    }
  }
  return true;
}

// Until the first key leaves the title screen the figures are unplaced, still
// zero from program start.
bool figuresUnplaced() {
  return GameMode == ModeTitle && allZero(&LeaderPos, sizeof LeaderPos) &&
         allZero(Charas, sizeof Charas);
}

// Every statement works on the leader's floor, which is always floor 1, so
// floors 2 to 8 keep the built-in cells for the whole game; a cell changed
// there is a write that missed its floor.
bool checkUpperFloors(std::string* why) {
  if (figuresUnplaced()) return true;  // the maps may not be copied yet
  for (int w = 0; w < WorldCount; ++w) {
    const uint8_t* cells = WorldMaps[w].cells;
    const uint8_t* initial = InitialMaps[w].cells;
    if (std::memcmp(cells + CellsPerFloor, initial + CellsPerFloor,
                    CellsPerWorld - CellsPerFloor) == 0) {
      continue;
    }
    for (int i = CellsPerFloor; i < CellsPerWorld; ++i) {
      if (cells[i] != initial[i]) {
        return broken(why, "world %d floor %d cell (%d, %d) changed from %d to %d", w + 1,
                      i / CellsPerFloor + 1, i % MapSide, i / MapSide % MapSide, initial[i],
                      cells[i]);
      }
    }
  }
  return true;
}

bool onFloorOneOfAWorld(MapPos p) { return p.floor == 1 && p.world >= 1 && p.world <= WorldCount; }

bool checkFigures(std::string* why) {
  if (figuresUnplaced()) return true;
  const MapPos& l = LeaderPos;
  if (!onFloorOneOfAWorld(l)) {
    return broken(why, "leader on floor %d of world %d", l.floor, l.world);
  }
  // A SELECT may put the leader one past the map's last row or column.
  if (l.x > MapSide || l.y > MapSide) return broken(why, "leader at (%d, %d)", l.x, l.y);
  for (int i = 0; i < 3; ++i) {
    const CharaRec& c = Charas[i];
    if (!onFloorOneOfAWorld(c.pos) || c.pos.world != i + 1) {
      return broken(why, "chara %d on floor %d of world %d", i + 2, c.pos.floor, c.pos.world);
    }
    if (c.pos.x >= MapSide || c.pos.y >= MapSide) {
      return broken(why, "chara %d at (%d, %d)", i + 2, c.pos.x, c.pos.y);
    }
    const uint8_t k = c.moveKind;
    if (k != MoveStay && k != MoveRandom && k != MoveWander && k != MoveExplore &&
        k != MoveArrived) {
      return broken(why, "chara %d moves by kind %d", i + 2, k);
    }
  }
  // Arrivals happen only in a turn, and the turn that sees the last one wins.
  const bool allArrived = Charas[0].moveKind == MoveArrived && Charas[1].moveKind == MoveArrived &&
                          Charas[2].moveKind == MoveArrived;
  if (allArrived != (GameMode == ModeCleared)) {
    return broken(why, "GameMode %d with %s charas arrived", GameMode,
                  allArrived ? "all" : "not all");
  }
  return true;
}

bool checkTable(int slot, std::string* why) {
  const PlayerTable& t = playerTables[slot];
  if (t.name[0] == '\0') {
    if (!allZero(&t, sizeof t)) return broken(why, "free table slot %d is not zero", slot);
    return true;
  }
  if (!terminated(t.name, PlayerNameSize)) {
    return broken(why, "table %d name has no terminating zero", slot);
  }
  int used = 0;
  while (used < PlayerColumns && t.columnTypes[used].kind != ColumnNone) ++used;
  if (used < 3) return broken(why, "table %d has %d columns", slot, used);
  for (int c = 0; c < PlayerColumns; ++c) {
    const ColumnType& type = t.columnTypes[c];
    const char* name = t.columnNames[c];
    if (!terminated(name, PlayerNameSize)) {
      return broken(why, "table %d column %d name has no terminating zero", slot, c);
    }
    if (c >= used) {
      if (type.kind != ColumnNone || type.size != 0 || name[0] != '\0') {
        return broken(why, "table %d column %d past its %d columns is in use (kind %d size %d)",
                      slot, c, used, type.kind, type.size);
      }
      continue;
    }
    if (name[0] == '\0') return broken(why, "table %d column %d has no name", slot, c);
    const bool intOk = type.kind == ColumnInt && type.size == 4;
    const bool varcharOk = type.kind == ColumnVarchar && type.size >= 1 && type.size <= 32;
    if (!intOk && !varcharOk) {
      return broken(why, "table %d column %d has kind %d size %d", slot, c, type.kind, type.size);
    }
  }
  if (t.rowCount > PlayerRows) return broken(why, "table %d rowCount is %d", slot, t.rowCount);
  for (int r = 0; r < PlayerRows; ++r) {
    if (r >= t.rowCount) {
      if (!allZero(t.rows[r], sizeof t.rows[r])) {
        return broken(why, "table %d row %d past rowCount %d is not empty", slot, r, t.rowCount);
      }
      continue;
    }
    for (int c = 0; c < PlayerColumns; ++c) {
      if (!terminated(t.rows[r][c], PlayerCellSize)) {
        return broken(why, "table %d row %d cell %d has no terminating zero", slot, r, c);
      }
    }
  }
  return true;
}

bool checkAuthority(std::string* why) {
  for (int w = 0; w < WorldCount; ++w) {
    for (int c = 0; c < AuthorityCharaCount; ++c) {
      for (int f = 0; f < PrivilegeFlagCount; ++f) {
        const uint8_t flag = Authority[w].privileges[c][f];
        if (flag > 1) {
          return broken(why, "world %d chara %d privilege %d is %d", w + 1, c + 1, f, flag);
        }
      }
    }
  }
  return true;
}

bool checkModeAndCursor(std::string* why) {
  // The budget only counts down, from 5000 at the title, and stops at zero.
  if (Score < 0 || Score > 5000) return broken(why, "Score is %d", Score);
  if (GameMode != ModeField && GameMode != ModeCommand && GameMode != ModeCleared &&
      GameMode != ModeTitle) {
    return broken(why, "GameMode is %d", GameMode);
  }
  if (CursorCol >= GridCols || CursorRow >= GridRows) {
    return broken(why, "cursor at column %d row %d", CursorCol, CursorRow);
  }
  if (PrevCursorCol >= GridCols || PrevCursorRow >= GridRows) {
    return broken(why, "previous cursor at column %d row %d", PrevCursorCol, PrevCursorRow);
  }
  return true;
}

}  // namespace

bool checkInvariants(std::string* why) {
  if (!checkTexts(why) || !checkTokens(why) || !checkMaps(why) || !checkUpperFloors(why) ||
      !checkFigures(why) || !checkAuthority(why) || !checkModeAndCursor(why)) {
    return false;
  }
  for (int slot = 0; slot < PlayerTableSlots; ++slot) {
    if (!checkTable(slot, why)) return false;
  }
  return true;
}
