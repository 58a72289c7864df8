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
// What a figure finds on a cell it would step to. A mover returns what it
// found on the cell it tried, PassBlocked when it stayed.
enum Passability : int { PassBlocked = 0, PassFloor = 1, PassGoal = 2 };
Passability passability(MapPos pos);

void stepLeader(int direction);
void runTurn();
void driftAuthority();
Passability moveRandom(int i);
Passability moveWander(int i);
Passability moveExplore(int i);
