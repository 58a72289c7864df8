// Moving the figures and advancing the world by one turn, with the game's one
// random generator.
#pragma once

#include <cstdint>

#include "game/game_state.h"

// The tile code `cellAt` returns for a position off the maps.
constexpr int CellBlocked = -1;

// Direction codes (numeric keypad): 2 down, 4 left, 6 right, 8 up. The leader
// steps and the grid cursor moves by them.
enum Direction : int { DirDown = 2, DirLeft = 4, DirRight = 6, DirUp = 8 };

// Returns the tile code at pos, or CellBlocked when pos lies off the maps
// (a world outside 1 to 5, or a cell where `onFloor` fails).
int cellAt(MapPos pos);

// What a figure finds on a cell it would step to.
enum Passability : int { PassBlocked = 0, PassFloor = 1, PassGoal = 2 };
// Returns what a figure finds on a cell holding tile (any code `cellAt`
// returns): floor and goal are walked on, everything else blocks.
Passability tilePassability(int tile);

// Moves the leader one cell in direction (a Direction) when that cell can be
// walked on; any other direction code leaves it where it is. No turn passes.
void stepLeader(int direction);
// Plays one turn: authority drift, each chara's move by its kind, the win
// test (all three arrived: the congratulation, ModeCleared and the leader on
// chara 2) and one point off the score, which stops at 0.
void runTurn();
