// Tests of starting a new game: where the figures stand, the authority planes
// and the emptied table store, and what a new game leaves alone.
#include "game/new_game.h"

#include <gtest/gtest.h>

#include <cstring>

#include "game/game_state.h"
#include "game/movement.h"
#include "tests/support/statement_fixture.h"

namespace {

using NewGameTest = FreshGameTest;

TEST_F(NewGameTest, FiguresStartOnCellOneOneOfTheirWorlds) {
  EXPECT_EQ(packMapPos(MapPos{1, 1, 1, 1}), packMapPos(LeaderPos));
  const struct {
    int entry;
    MapPos pos;
    uint8_t moveKind;
  } cases[] = {
      {0, {1, 1, 1, 1}, MoveWander},
      {1, {1, 1, 1, 2}, MoveExplore},
      {2, {1, 1, 1, 3}, MoveExplore},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(packMapPos(c.pos), packMapPos(Charas[c.entry].pos)) << "entry " << c.entry;
    EXPECT_EQ(c.moveKind, Charas[c.entry].moveKind) << "entry " << c.entry;
    EXPECT_EQ(1, passability(Charas[c.entry].pos)) << "entry " << c.entry << " starts on floor";
  }
  EXPECT_EQ(1057u, PackedCell(MapPos{1, 1, 1, 1}));
}

TEST_F(NewGameTest, AuthorityPlanes) {
  const struct {
    int plane;
    int16_t reliability;
    uint8_t flag;
  } cases[] = {{1, 50, 1}, {2, 0, 1}, {3, 0, 1}, {4, 0, 0}, {5, 0, 0}};
  for (const auto& c : cases) {
    for (int chara = 0; chara < AuthorityCharaCount; ++chara) {
      const AuthorityPlane& plane = Authority[c.plane - 1];
      EXPECT_EQ(c.reliability, plane.reliability[chara]) << "plane " << c.plane;
      for (int k = 0; k < PrivilegeFlagCount; ++k) {
        EXPECT_EQ(c.flag, plane.privileges[chara][k]) << "plane " << c.plane << " flag " << k;
      }
    }
  }
}

// A game's records dirtied throughout before a new game starts again: the new
// game must reset what it owns and leave the rest as it finds it.
TEST_F(NewGameTest, ResetsItsOwnRecordsAndNothingElse) {
  std::memset(playerTables, 0xAB, sizeof playerTables);
  for (CharaRec& chara : Charas) {
    for (int k = 0; k < 8; ++k) chara.trail[k] = 4000u + k;
    chara.pos = MapPos{9, 9, 9, 9};
    chara.moveKind = MoveArrived;
  }
  std::memset(Authority, 0x7F, sizeof Authority);
  WorldMaps[0].cells[100] = 3;
  Score = 1234;
  SeedCounter = 99;
  RandomState = 4321;
  GameMode = ModeCommand;
  setStatus("kept");
  std::strcpy(CommandLine, "SELECT");
  std::strcpy(LastCommand, "GRANT");
  CommandLength = 6;
  CursorCol = 3;
  CursorRow = 4;
  AuthorityPlane outerPlanes[2];
  std::memcpy(outerPlanes, &Authority[3], sizeof outerPlanes);

  startNewGame();

  const PlayerTable emptyTable{};
  for (int i = 0; i < PlayerTableSlots; ++i) {
    EXPECT_EQ(0, std::memcmp(&emptyTable, &playerTables[i], sizeof emptyTable)) << "slot " << i;
  }
  for (const CharaRec& chara : Charas) {
    for (int k = 0; k < 8; ++k) EXPECT_EQ(4000u + k, chara.trail[k]) << "trail entry " << k;
    EXPECT_EQ(1, chara.pos.x);
    EXPECT_NE(MoveArrived, chara.moveKind);
  }
  EXPECT_EQ(50, Authority[0].reliability[4]);
  EXPECT_EQ(1, Authority[2].privileges[4][5]);
  EXPECT_EQ(0, std::memcmp(outerPlanes, &Authority[3], sizeof outerPlanes)) << "planes 4 and 5";
  EXPECT_EQ(3, WorldMaps[0].cells[100]);
  EXPECT_EQ(1234, Score);
  EXPECT_EQ(99u, SeedCounter);
  EXPECT_EQ(4321u, RandomState);
  EXPECT_EQ(ModeCommand, GameMode);
  EXPECT_STREQ("kept", StatusText);
  EXPECT_STREQ("SELECT", CommandLine);
  EXPECT_STREQ("GRANT", LastCommand);
  EXPECT_EQ(6, CommandLength);
  EXPECT_EQ(3, CursorCol);
  EXPECT_EQ(4, CursorRow);
}

}  // namespace
