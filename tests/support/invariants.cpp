// The invariant checker over the global game records (see invariants.h).
// Each rule comes from the game's own rules for its records, not from what
// the code happens to do today; a broken one names what it found.
#include "tests/support/invariants.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "game/game_state.h"

namespace {

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
// Returns from the check with the reason when `holds` is false.
#define REQUIRE(holds, ...) \
  if (!(holds)) return broken(why, __VA_ARGS__)

bool terminated(const char* text, size_t size) { return std::memchr(text, 0, size) != nullptr; }

bool allZero(const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  return size == 0 || (bytes[0] == 0 && std::memcmp(bytes, bytes + 1, size - 1) == 0);
}

// A command line holds at most 112 characters (101 picked, 12 completed, less
// one), each a grid character: completion adds only letters, blanks, "=", "(".
bool checkLine(const char* name, const char* text, std::string* why) {
  REQUIRE(terminated(text, CommandSize) && std::strlen(text) <= 112, "%s is too long", name);
  for (int i = 0; text[i] != '\0'; ++i) {
    REQUIRE(std::isalnum(uint8_t(text[i])) || std::strchr("(), +-*/='<>!.%_#;^&|~\"\\", text[i]),
            "%s character %d is byte %d, not on the grid", name, i, uint8_t(text[i]));
  }
  return true;
}

bool checkTexts(std::string* why) {
  REQUIRE(terminated(StatusText, StatusSize), "StatusText has no terminating zero");
  if (!checkLine("CommandLine", CommandLine, why) || !checkLine("LastCommand", LastCommand, why)) {
    return false;
  }
  REQUIRE(std::strlen(CommandLine) == CommandLength, "CommandLength %d, not the line's length",
          CommandLength);
  REQUIRE(lastToken >= -1 && lastToken < TokenSlots, "lastToken is %d", lastToken);
  for (int i = 0; i < TokenSlots; ++i) {
    const bool ok = terminated(tokens[i], TokenSize) && tokenLengths[i] == std::strlen(tokens[i]);
    REQUIRE(ok && (i > lastToken ? allZero(tokens[i], TokenSize) : tokens[i][0] != '\0'),
            "token %d (lastToken %d) is '%.*s', length %u", i, lastToken, TokenSize, tokens[i],
            tokenLengths[i]);
  }
  return true;
}

// Until the first key leaves the title the figures are unplaced and the maps
// may not be copied yet.
bool figuresUnplaced() {
  return GameMode == ModeTitle && allZero(&LeaderPos, sizeof LeaderPos) &&
         allZero(Charas, sizeof Charas);
}

// Every statement works on the leader's floor, always floor 1, so floors 2
// to 8 keep the built-in cells all game: a change there missed its floor.
// Arrivals happen only in a turn, and the turn that sees the last one wins.
bool checkWorlds(std::string* why) {
  for (int w = 0; w < WorldCount; ++w) {
    const uint8_t* cells = WorldMaps[w].cells;
    const bool upperSame = std::memcmp(cells + CellsPerFloor, InitialMaps[w].cells + CellsPerFloor,
                                       CellsPerWorld - CellsPerFloor) == 0;
    REQUIRE(upperSame || figuresUnplaced(), "world %d floor 2 or above changed", w + 1);
    for (int i = 0; i < (upperSame ? CellsPerFloor : CellsPerWorld); ++i) {
      REQUIRE(cells[i] < TileCount, "world %d floor %d cell (%d, %d) holds tile code %d", w + 1,
              i / CellsPerFloor + 1, i % MapSide, i / MapSide % MapSide, cells[i]);
    }
  }
  if (figuresUnplaced()) return true;
  const MapPos l = LeaderPos;  // a SELECT may put it one past the last row or column
  REQUIRE(l.floor == 1 && isWorld(l.world) && l.x <= MapSide && l.y <= MapSide,
          "leader at (%d, %d) floor %d world %d", l.x, l.y, l.floor, l.world);
  int arrived = 0;
  for (int i = 0; i < CharaCount; ++i) {
    const MapPos p = Charas[i].pos;
    const uint8_t kind = Charas[i].moveKind;
    REQUIRE(p.floor == 1 && p.world == i + 1 && p.x < MapSide && p.y < MapSide,
            "chara %d at (%d, %d) floor %d world %d", i + 2, p.x, p.y, p.floor, p.world);
    REQUIRE(kind <= MoveExplore || kind == MoveArrived, "chara %d moves by kind %d", i + 2, kind);
    arrived += kind == MoveArrived;
  }
  REQUIRE((arrived == CharaCount) == (GameMode == ModeCleared),
          "GameMode %d with %d charas arrived", GameMode, arrived);
  return true;
}

bool checkTable(int slot, std::string* why) {
  const PlayerTable& t = playerTables[slot];
  REQUIRE(t.name[0] != '\0' || allZero(&t, sizeof t), "free table slot %d is not zero", slot);
  REQUIRE(terminated(t.name, PlayerNameSize) && t.rowCount <= PlayerRows,
          "table %d: name unterminated or %d rows", slot, t.rowCount);
  int used = 0;
  while (used < PlayerColumns && t.columnTypes[used].kind != ColumnNone) ++used;
  REQUIRE(used >= 3 || t.name[0] == '\0', "table %d has %d columns", slot, used);
  for (int c = 0; c < PlayerColumns; ++c) {
    const ColumnType& type = t.columnTypes[c];
    const char* name = t.columnNames[c];
    const bool ok = c >= used
                        ? type.kind == ColumnNone && type.size == 0 && name[0] == '\0'
                        : name[0] != '\0' &&
                              ((type.kind == ColumnInt && type.size == 4) ||
                               (type.kind == ColumnVarchar && type.size >= 1 && type.size <= 32));
    REQUIRE(ok && terminated(name, PlayerNameSize), "table %d column %d (of %d): kind %d size %d",
            slot, c, used, type.kind, type.size);
  }
  for (int r = 0; r < PlayerRows * PlayerColumns; ++r) {
    const char* cell = t.rows[r / PlayerColumns][r % PlayerColumns];
    REQUIRE(terminated(cell, PlayerCellSize) && (r < t.rowCount * PlayerColumns || !cell[0]),
            "table %d row %d cell %d is unterminated or past the rows", slot, r / PlayerColumns,
            r % PlayerColumns);
  }
  return true;
}

bool checkRest(std::string* why) {
  for (const AuthorityPlane& plane : Authority) {
    for (const auto& flags : plane.privileges) {
      for (const uint8_t flag : flags) REQUIRE(flag <= 1, "a privilege flag is %d", flag);
    }
  }
  // The budget only counts down, from 5000 at the title, and stops at zero.
  REQUIRE(Score >= 0 && Score <= 5000, "Score is %d", Score);
  REQUIRE(GameMode <= ModeCommand || GameMode == ModeCleared || GameMode == ModeTitle,
          "GameMode is %d", GameMode);
  REQUIRE(CursorCol < GridCols && CursorRow < GridRows && PrevCursorCol < GridCols &&
              PrevCursorRow < GridRows,
          "cursor at %d,%d (before %d,%d)", CursorCol, CursorRow, PrevCursorCol, PrevCursorRow);
  for (int slot = 0; slot < PlayerTableSlots; ++slot) {
    if (!checkTable(slot, why)) return false;
  }
  return true;
}

}  // namespace

bool checkInvariants(std::string* why) {
  return checkTexts(why) && checkWorlds(why) && checkRest(why);
}
