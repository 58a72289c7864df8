// Keeping the game records aside while a checker or the planner plays its
// own games on them, and starting such a game on a world file.
#pragma once

#include <cstring>

#include "game/game_state.h"
#include "worlds/world_file.h"

// Every record a turn, a statement or a new game may write (the token store
// apart, which every statement overwrites), and the played worlds.
struct SavedRecords {
  void save() { pass(true); }
  void restore() { pass(false); }

 private:
  // Each record beside the copy it is kept in: one list for both ways, so
  // that no record is saved and then left unrestored.
  template <class T>
  static void pass(T& kept, T& live, bool saving) {
    if (saving) {
      std::memcpy(&kept, &live, sizeof(T));
    } else {
      std::memcpy(&live, &kept, sizeof(T));
    }
  }
  void pass(bool saving) {
    pass(maps, WorldMaps, saving), pass(leader, LeaderPos, saving);
    pass(charas, Charas, saving), pass(mode, GameMode, saving);
    pass(status, StatusText, saving), pass(score, Score, saving);
    pass(seedCounter, SeedCounter, saving), pass(randomState, RandomState, saving);
    pass(authority, Authority, saving), pass(tables, playerTables, saving);
    pass(commandLine, CommandLine, saving), pass(lastCommand, LastCommand, saving);
    pass(commandLength, CommandLength, saving);
    pass(cursorCol, CursorCol, saving), pass(cursorRow, CursorRow, saving);
    pass(prevCursorCol, PrevCursorCol, saving), pass(prevCursorRow, PrevCursorRow, saving);
    pass(playedMaps, PlayedMaps, saving), pass(playedStarts, PlayedStarts, saving);
    pass(playedTileSets, PlayedTileSets, saving);
  }

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
  uint8_t commandLength, cursorCol, cursorRow, prevCursorCol, prevCursorRow;
  const WorldMap* playedMaps;
  const MapCell* playedStarts;
  const uint8_t* playedTileSets;
};

// Starts a new game on `file`'s worlds as a new program does (records as
// at program start, the title's resets, the new game), with the played
// worlds pointing at `file`, which must outlive the game: keep the records
// with SavedRecords first.
void startGameOn(const WorldFile& file);
