// Moving the figures and advancing the world by one turn, with the game's one
// random generator.
#pragma once

#include <cstdint>

#include "game/game_state.h"

constexpr int CellBlocked = -1;

// Direction codes (numeric keypad): 2 down, 4 left, 6 right, 8 up.
enum Direction : int { DirDown = 2, DirLeft = 4, DirRight = 6, DirUp = 8 };

void seedRandom(uint32_t n);
uint32_t nextRandom();

// Returns the tile code at pos, or CellBlocked when pos lies off the maps.
int cellAt(MapPos pos);
// 0 blocked, 1 floor, 2 goal.
int passability(MapPos pos);

void stepLeader(int direction);
void runTurn();
void driftAuthority();
int moveRandom(int i);
int moveWander(int i);
int moveExplore(int i);
