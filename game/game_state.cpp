// Definitions of the global game records declared in game_state.h.
#include "game/game_state.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

const WorldMap* PlayedMaps = InitialMaps;
const MapCell* PlayedStarts = InitialStarts;
const uint8_t* PlayedTileSets = InitialTileSets;

WorldMap WorldMaps[WorldCount];
MapPos LeaderPos;
CharaRec Charas[CharaCount];
uint8_t GameMode = ModeTitle;
char CommandLine[CommandSize];
char LastCommand[CommandSize];
uint8_t CommandLength;
uint8_t CursorCol, CursorRow;
uint8_t PrevCursorCol, PrevCursorRow;
char StatusText[StatusSize];
int32_t Score;
uint32_t SeedCounter;
uint32_t RandomState;
AuthorityPlane Authority[WorldCount];
PlayerTable playerTables[PlayerTableSlots];

char tokens[TokenSlots][TokenSize];
uint32_t tokenLengths[TokenSlots];
int32_t lastToken = -1;

void setStatus(const char* text) { std::snprintf(StatusText, sizeof StatusText, "%s", text); }

void setStatusf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(StatusText, sizeof StatusText, format, args);
  va_end(args);
}

void resetAllState() {
  std::memset(WorldMaps, 0, sizeof WorldMaps);
  LeaderPos = MapPos{};
  std::memset(Charas, 0, sizeof Charas);
  GameMode = ModeTitle;
  std::memset(CommandLine, 0, sizeof CommandLine);
  std::memset(LastCommand, 0, sizeof LastCommand);
  CommandLength = 0;
  CursorCol = CursorRow = PrevCursorCol = PrevCursorRow = 0;
  std::memset(StatusText, 0, sizeof StatusText);
  Score = 0;
  SeedCounter = 0;
  RandomState = 0;
  std::memset(Authority, 0, sizeof Authority);
  std::memset(playerTables, 0, sizeof playerTables);
  std::memset(tokens, 0, sizeof tokens);
  std::memset(tokenLengths, 0, sizeof tokenLengths);
  lastToken = -1;
}
