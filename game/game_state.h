// The game's whole state: the plain global records that live from program
// start to exit. Every subsystem reads and writes these directly; nothing else
// in the game keeps state of its own.
#pragma once

#include <cstdint>

// A map position, one byte each: column x and row y (0 to 31 on the map; 32
// after a journey to the edge), floor 1 to 8 and world 1 to 5. A step changes
// one byte and wraps inside it.
struct MapPos {
  uint8_t x;
  uint8_t y;
  uint8_t floor;
  uint8_t world;
};

// Returns the position as its packed 32-bit value (x lowest), so that two
// positions compare as one number.
inline uint32_t packMapPos(MapPos p) {
  return uint32_t(p.x) | uint32_t(p.y) << 8 | uint32_t(p.floor) << 16 | uint32_t(p.world) << 24;
}

// Returns the trail entry of p's cell: x + 32*y + 1024*floor. It uses the
// floor itself (not floor - 1), so a zero entry never equals a real cell.
inline uint32_t PackedCell(MapPos p) { return uint32_t(p.x) + 32u * p.y + 1024u * p.floor; }

constexpr int MapSide = 32;
constexpr int FloorCount = 8;
constexpr int WorldCount = 5;
constexpr int CellsPerFloor = MapSide * MapSide;           // 1024
constexpr int CellsPerWorld = CellsPerFloor * FloorCount;  // 8192

// One world's cells: 8 floors of 32 rows of 32 tile codes.
// Cell (x, y) on floor f is entry x + 32*y + 1024*(f - 1).
struct WorldMap {
  uint8_t cells[CellsPerWorld];
};

// A cell of floor 1, where a chara starts.
struct MapCell {
  uint8_t x;
  uint8_t y;
};

// Returns the index of cell (x, y) of floor in WorldMap::cells; meaningful
// only where `onFloor` holds.
inline int cellIndex(int x, int y, int floor) {
  return x + MapSide * y + CellsPerFloor * (floor - 1);
}

// Returns whether column x, row y lies on a floor's 32 x 32 cells.
inline bool onMap(int x, int y) { return x >= 0 && x < MapSide && y >= 0 && y < MapSide; }
// Returns whether column x, row y of floor lies on a world's map, so that
// `cellIndex` addresses that very cell and stays inside the world's cells.
inline bool onFloor(int x, int y, int floor) {
  return onMap(x, y) && floor >= 1 && floor <= FloorCount;
}
// Returns whether w names one of the worlds 1 to 5, so that entry w - 1 of
// WorldMaps and Authority exists.
inline bool isWorld(int w) { return w >= 1 && w <= WorldCount; }

enum TileCode : uint8_t {
  TileEmpty = 0,
  TileOutside = 5,
  TileFloor = 10,
  TileGoal = 11,
};
constexpr int TileCount = 12;
// The tiles a statement may write into a world cell: 1 to 10. The goal (11)
// cannot be made, nor an empty cell (0), which is DELETE's business.
constexpr int FirstWritableTile = 1;
constexpr int LastWritableTile = TileFloor;

enum MoveKind : uint8_t {
  MoveStay = 0,
  MoveRandom = 1,
  MoveWander = 2,
  MoveExplore = 3,
  MoveArrived = 255,
};

// The self-moving charas 2, 3 and 4, one in each maze of worlds 1 to 3.
constexpr int CharaCount = 3;
// The cells a wanderer or an explorer remembers.
constexpr int TrailLength = 8;

struct CharaRec {
  MapPos pos;
  uint8_t moveKind;
  uint32_t trail[TrailLength];  // PackedCell values, oldest first
};

enum GameModeValue : uint8_t {
  ModeField = 0,
  ModeCommand = 1,
  ModeCleared = 254,
  ModeTitle = 255,
};

enum Privilege : uint8_t {
  PrivUpdate = 0,
  PrivInsert = 1,
  PrivDelete = 2,
  PrivSelect = 3,
};
// Each chara holds six flags per world: GRANT ALL and REVOKE ALL set and clear
// all six, the statements ask for the four above.
constexpr int PrivilegeFlagCount = 6;
// The charas a world's authority plane holds: 1 (the leader) to 5.
constexpr int AuthorityCharaCount = 5;

struct AuthorityPlane {
  int16_t reliability[AuthorityCharaCount];  // charas 1 to 5
  uint8_t privileges[AuthorityCharaCount][PrivilegeFlagCount];
};

// Player tables (the player's own, up to three).
constexpr int PlayerTableSlots = 3;
constexpr int PlayerColumns = 6;
constexpr int PlayerRows = 3;
constexpr int PlayerNameSize = 9;   // 8 characters and a zero
constexpr int PlayerCellSize = 33;  // 32 characters and a zero

enum ColumnKind : uint8_t {
  ColumnNone = 0,
  ColumnInt = 1,
  ColumnVarchar = 2,
};

struct ColumnType {
  uint8_t kind;
  uint8_t size;  // 4 for INT, n for VARCHAR(n), 0 for none
};

struct PlayerTable {
  char name[PlayerNameSize];  // empty name: the slot is free
  char columnNames[PlayerColumns][PlayerNameSize];
  ColumnType columnTypes[PlayerColumns];
  char rows[PlayerRows][PlayerColumns][PlayerCellSize];
  uint8_t rowCount;
};

// The token store, overwritten by every statement.
constexpr int TokenSlots = 128;
constexpr int TokenMaxLength = 15;
constexpr int TokenSize = TokenMaxLength + 1;  // and a zero

constexpr int CommandSize = 128;
constexpr int StatusSize = 130;
constexpr int GridCols = 13;
constexpr int GridRows = 7;

// The turns a game may take; what is left of them is the score.
constexpr int32_t ScoreBudget = 5000;

// The message line's resting text: shown from start-up and after each step.
constexpr char GameTitleText[] = "-Velmora Keep- 03";

// ---- what a new game starts from ----
// The built-in worlds, part of the program (made at build time from
// assets/worlds/velmora.worlds): the maps, the start cells of charas 2, 3
// and 4 on floor 1 of worlds 1, 2 and 3 (the leader starts on chara 2's),
// and the tile set drawing each world (1 to 3, or 0 for none).
extern const WorldMap InitialMaps[WorldCount];
extern const MapCell InitialStarts[CharaCount];
extern const uint8_t InitialTileSets[WorldCount];
// The worlds this run plays: the built-in ones unless a world file was
// installed before the title (worlds/installed_worlds.h). `resetAllState`
// leaves them alone: they are the run's choice, not a game's state.
extern const WorldMap* PlayedMaps;     // WorldCount maps
extern const MapCell* PlayedStarts;    // CharaCount cells
extern const uint8_t* PlayedTileSets;  // WorldCount tile sets

// ---- the records ----
extern WorldMap WorldMaps[WorldCount];  // world w is entry w - 1
extern MapPos LeaderPos;                // chara 1, the party leader
extern CharaRec Charas[CharaCount];     // charas 2, 3 and 4
extern uint8_t GameMode;
extern char CommandLine[CommandSize];
extern char LastCommand[CommandSize];
extern uint8_t CommandLength;
extern uint8_t CursorCol, CursorRow;
extern uint8_t PrevCursorCol, PrevCursorRow;
extern char StatusText[StatusSize];
extern int32_t Score;
extern uint32_t SeedCounter;
extern uint32_t RandomState;                  // the generator's own state, apart from SeedCounter
extern AuthorityPlane Authority[WorldCount];  // plane w is entry w - 1
extern PlayerTable playerTables[PlayerTableSlots];

extern char tokens[TokenSlots][TokenSize];
extern uint32_t tokenLengths[TokenSlots];
extern int32_t lastToken;

// Returns the text of token i, or the empty text for any i outside the store;
// handlers read a few slots past lastToken and must never leave the array.
// Inline: the statements ask for tokens a few dozen times each.
inline const char* tokenAt(int i) { return i >= 0 && i < TokenSlots ? tokens[i] : ""; }

// Replaces StatusText with text, cut to 129 characters.
void setStatus(const char* text);
// Replaces StatusText with a printf-formatted message, cut to 129 characters.
void setStatusf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Puts every record back to its program-start value (all zero, mode title).
// The program itself starts that way; tests use it to begin afresh.
void resetAllState();
