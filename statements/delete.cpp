// DELETE on the table world: empties a map cell, the one under the leader or
// one named by worldid, x and y, to which the leader then jumps. An emptied
// cell is what INSERT fills.
#include "statements/delete.h"

#include "game/game_state.h"
#include "sql/tokenizer.h"
#include "sql/world_clause.h"
#include "statements/authority.h"

namespace {

// DELETE FROM world                               -> empties the leader's own cell
//   token 2   world      token 3   empty
void deleteHere() {
  // Match the shape.
  if (!tokenIs(2, "world") || !tokenEmpty(3)) return;

  // Ask for the privilege of the leader's world.
  const int world = LeaderPos.world;
  if (!requirePrivilege(world, PrivDelete)) return;

  // A leader standing on column or row 32 has no cell of its own: its index
  // would name a cell of the next row or floor, or lie past the map's end.
  if (!onFloor(LeaderPos.x, LeaderPos.y, LeaderPos.floor)) return;

  // Change the records; the leader stays, and no message.
  WorldMaps[world - 1].cells[cellIndex(LeaderPos.x, LeaderPos.y, LeaderPos.floor)] = TileEmpty;
  lowerReliability(world, DeletePenalty);
}

// DELETE FROM world WHERE worldid = W AND x = X AND y = Y
//                                                 -> empties (X, Y) of world W, leader jumps
//   token 2        world (what lies between it and WHERE is not read)
//   where + 1..11  the clause in this order; W 1..5, X and Y 1..32     where + 12  empty
// The cell is on the leader's floor; the leader jumps within its own world.
void deleteWorldPosition(int where) {
  // Match the shape.
  WorldCell cell;
  if (!tokenIs(2, "world") || !readWorldCell(where, &cell)) return;

  // Ask for the privilege of the world changed.
  if (!requirePrivilege(cell.world, PrivDelete)) return;

  // X or Y of 32 names no cell: nothing is emptied, nothing paid, no one moves.
  if (!onFloor(cell.x, cell.y, LeaderPos.floor)) return;

  // Change the records: an empty cell empties again and still costs.
  WorldMaps[cell.world - 1].cells[cellIndex(cell.x, cell.y, LeaderPos.floor)] = TileEmpty;
  lowerReliability(cell.world, DeletePenalty);
  LeaderPos.x = uint8_t(cell.x);
  LeaderPos.y = uint8_t(cell.y);
}

}  // namespace

// DELETE FROM world [WHERE ...]
//   token 1   FROM (any case)    -> "FROM not found." otherwise
// Without WHERE the statement is the leader's cell, which only the three
// tokens DELETE FROM world name; with it, the named cell.
void deleteStatement() {
  if (!keywordEquals(tokenAt(1), "FROM")) {
    answerNotFound("FROM");
    return;
  }
  const int where = findKeyword(2, "WHERE");
  if (missing(where)) {
    deleteHere();
  } else {
    deleteWorldPosition(where);
  }
}
