// DELETE FROM world: empties a map cell.
#pragma once

// Runs the tokenized DELETE statement: empties the leader's cell or the cell
// a WHERE clause names, at DeletePenalty, answering only a missing FROM or a
// missing privilege.
void deleteStatement();
