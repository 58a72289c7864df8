// UPDATE world: changes a non-empty map cell in one step.
#pragma once

// Runs the tokenized UPDATE statement: gives the leader's cell or the cell a
// WHERE clause names a new tile, unless it is empty, at UpdatePenalty;
// answers a missing SET or WHERE, or a missing privilege.
void updateStatement();
