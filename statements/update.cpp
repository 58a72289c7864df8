// UPDATE on the table world: changes a cell that is not empty to a new tile in
// one step, the one under the leader or one named by worldid, x and y, to
// which the leader then jumps.
#include "statements/update.h"

#include "game/game_state.h"
#include "sql/tokenizer.h"
#include "sql/world_clause.h"
#include "statements/authority.h"

namespace {

// Reads `fieldid = F` after SET, F a tile a statement may write.
bool readFieldValue(int set, int* field) {
  return tokenIs(1, "world") &&
         readAssignment(set + 1, "fieldid", FirstWritableTile, LastWritableTile, field);
}

// UPDATE world SET fieldid = F WHERE worldid = W AND x = X AND y = Y
//                                                 -> (X, Y) of world W becomes F, leader jumps
//   token 1        world
//   set + 1..3     fieldid = F (1..10)   (what lies between it and WHERE is not read)
//   where + 1..11  the clause in this order; W 1..5, X and Y 1..32     where + 12  empty
void updateWorldPosition(int set, int where) {
  // Match the shape.
  int field;
  WorldCell cell;
  if (!readFieldValue(set, &field) || !readWorldCell(where, &cell)) return;

  // Ask for the privilege of the world changed.
  if (!requirePrivilege(cell.world, PrivUpdate)) return;

  // X or Y of 32 names no cell: nothing changes, nothing is paid, no one moves.
  if (!onFloor(cell.x, cell.y, LeaderPos.floor)) return;

  // The emptiness test is on world W's cell, not on the leader's world.
  uint8_t& target = WorldMaps[cell.world - 1].cells[cellIndex(cell.x, cell.y, LeaderPos.floor)];
  if (target == TileEmpty) return;

  // Change the records; the leader jumps within its own world, no message.
  target = uint8_t(field);
  lowerReliability(cell.world, UpdatePenalty);
  LeaderPos.x = uint8_t(cell.x);
  LeaderPos.y = uint8_t(cell.y);
}

// UPDATE world SET fieldid = F                    -> the leader's own cell becomes F
//   token 1   world     set + 1..3   fieldid = F (1..10)     set + 4   empty
void updateHere(int set) {
  // Match the shape.
  int field;
  if (!readFieldValue(set, &field) || !tokenEmpty(set + 4)) return;

  // Ask for the privilege of the leader's world.
  const int world = LeaderPos.world;
  if (!requirePrivilege(world, PrivUpdate)) return;

  // A leader standing on column or row 32 has no cell of its own: its index
  // would name a cell of the next row or floor, or lie past the map's end.
  if (!onFloor(LeaderPos.x, LeaderPos.y, LeaderPos.floor)) return;

  // Change the records, unless the cell is empty; the leader stays.
  uint8_t& target =
      WorldMaps[world - 1].cells[cellIndex(LeaderPos.x, LeaderPos.y, LeaderPos.floor)];
  if (target == TileEmpty) return;
  target = uint8_t(field);
  lowerReliability(world, UpdatePenalty);
}

}  // namespace

// UPDATE world SET fieldid = F [WHERE ...]
//   SET     first SET after the verb (any case)  -> "SET not found." when missing
//   WHERE   first WHERE at or after SET          -> "WHERE not found." for a three-token statement
// Without WHERE the statement is the leader's cell; with it, the named cell.
void updateStatement() {
  const int set = findKeyword(1, "SET");
  if (missing(set)) {
    answerNotFound("SET");
    return;
  }
  const int where = findKeyword(set, "WHERE");
  if (missing(where) && lastToken == 2) {
    answerNotFound("WHERE");
    return;
  }
  if (missing(where)) {
    updateHere(set);
  } else {
    updateWorldPosition(set, where);
  }
}
