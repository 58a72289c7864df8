// Keeping the game records aside while a checker or the planner plays its
// own games on them, and starting such a game on a world file.
#pragma once

#include <cstring>

#include "game/game_state.h"
#include "worlds/world_file.h"

// Every record a turn, a statement or a new game may write (the token store
// apart, which every statement overwrites), and the played worlds.
struct SavedRecords {
  WorldMap maps[WorldCount];
  MapPos leader;
  CharaRec charas[CharaCount];
  uint8_t mode;
  char status[StatusSize];
  int32_t score;
  uint32_t seedCounter, randomState;
  AuthorityPlane authority[WorldCount];
  PlayerTable tables[PlayerTableSlots];
  char commandLine[CommandSize], lastCommand[CommandSize];
  uint8_t commandLength, cursor[4];
  const WorldMap* playedMaps;
  const MapCell* playedStarts;
  const uint8_t* playedTileSets;

  void save() {
    std::memcpy(maps, WorldMaps, sizeof maps);
    leader = LeaderPos, mode = GameMode, score = Score;
    std::memcpy(charas, Charas, sizeof charas);
    std::memcpy(status, StatusText, sizeof status);
    seedCounter = SeedCounter, randomState = RandomState;
    std::memcpy(authority, Authority, sizeof authority);
    std::memcpy(tables, playerTables, sizeof tables);
    std::memcpy(commandLine, CommandLine, sizeof commandLine);
    std::memcpy(lastCommand, LastCommand, sizeof lastCommand);
    commandLength = CommandLength;
    cursor[0] = CursorCol, cursor[1] = CursorRow, cursor[2] = PrevCursorCol,
    cursor[3] = PrevCursorRow;
    playedMaps = PlayedMaps, playedStarts = PlayedStarts, playedTileSets = PlayedTileSets;
  }
  void restore() const {
    std::memcpy(WorldMaps, maps, sizeof maps);
    LeaderPos = leader, GameMode = mode, Score = score;
    std::memcpy(Charas, charas, sizeof charas);
    std::memcpy(StatusText, status, sizeof status);
    SeedCounter = seedCounter, RandomState = randomState;
    std::memcpy(Authority, authority, sizeof authority);
    std::memcpy(playerTables, tables, sizeof tables);
    std::memcpy(CommandLine, commandLine, sizeof commandLine);
    std::memcpy(LastCommand, lastCommand, sizeof lastCommand);
    CommandLength = commandLength;
    CursorCol = cursor[0], CursorRow = cursor[1], PrevCursorCol = cursor[2],
    PrevCursorRow = cursor[3];
    PlayedMaps = playedMaps, PlayedStarts = playedStarts, PlayedTileSets = playedTileSets;
  }
};

// Starts a new game on `file`'s worlds as a new program does (records as
// at program start, the title's resets, the new game), with the played
// worlds pointing at `file`, which must outlive the game: keep the records
// with SavedRecords first.
void startGameOn(const WorldFile& file);
