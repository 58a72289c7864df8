// What the privileges govern, the reliability penalties, GRANT and REVOKE.
#pragma once

#include "game/game_state.h"

// The answer of every statement that lacks the privilege it asks for.
constexpr char NoAuthorityText[] = "There is no authority.";

// Returns whether chara 1 holds flag p in world 1..5 (false for any other).
bool hasPrivilege(int world, int p);
// Subtracts amount from chara 1's reliability in world 1..5.
void lowerReliability(int world, int amount);
void grantStatement();
void revokeStatement();
