// The SELECT unit's own seam: the shapes of each table, which only the front
// of SELECT (select.cpp) calls. Each takes the position of WHERE (past the
// last token when there is none).
#pragma once

// Tries the shapes over the table world in order: a journey to a world, to a
// cell of a world, to a cell of the leader's world, the reliability report.
void selectFromWorld(int where);
// Reports a party member's place and the tile underfoot.
void selectFromParty(int where);
// Finds the row of player table `name` that the WHERE clause picks and casts
// the spell its selected cells hold; does nothing when no table has the name.
void selectFromPlayerTable(const char* name, int where);
