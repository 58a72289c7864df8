// INSERT: fills an empty world cell, or appends a row to a player table.
#pragma once

// Runs the tokenized INSERT statement: fills an empty cell of a world at
// InsertPenalty (the leader jumps to a named cell) or appends a row to a
// player table; answers a missing INTO or VALUES, a missing privilege, or
// "INSERT OK!" for a row.
void insertStatement();
