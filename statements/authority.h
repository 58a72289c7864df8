// What the privileges govern, the reliability each world statement costs,
// GRANT and REVOKE.
#pragma once

#include "game/game_state.h"

// The answer of every statement that lacks the privilege it asks for.
constexpr char NoAuthorityText[] = "There is no authority.";

// What a world statement that changes a cell costs in that world's
// reliability, whether or not the cell changed; GRANT's cost is per flag.
constexpr int DeletePenalty = 30;
constexpr int UpdatePenalty = 30;
constexpr int InsertPenalty = 10;
constexpr int GrantPenalty = 10;

// GRANT and REVOKE can name worlds 1 to this one only (world1, world2); the
// others lie beyond the player's reach.
constexpr int LastGrantableWorld = 2;

// Returns whether chara 1 holds privilege p in world, which may be any
// number (no world outside 1 to 5 grants anything); when it does not,
// answers NoAuthorityText. Every world statement asks this after its shape
// has matched and before it changes anything.
bool requirePrivilege(int world, Privilege p);
// Subtracts amount from chara 1's reliability in world 1..5, held at the
// 16-bit limits; any other world is left alone.
void lowerReliability(int world, int amount);
// GRANT privilege ON worldN TO player: sets chara 1's flag(s) in that world.
void grantStatement();
// REVOKE privilege ON worldN FROM player: clears chara 1's flag(s) there.
void revokeStatement();
