// The SELECT shapes over the tables world and party: travelling to a world or
// a cell, and reporting a chara's reliability or a party member's place.
#include "game/game_state.h"
#include "game/movement.h"
#include "sql/tokenizer.h"
#include "sql/world_clause.h"
#include "statements/authority.h"
#include "statements/select_tables.h"

namespace {

const char* const NotSupported = "no supported";

// Members of the party table: the leader (1) and charas 2 to 4. Charaid 5 and
// 6 are accepted by the clause but stand for no one.
constexpr int LastPartyMember = 4;
constexpr int LastCharaId = 6;

// The member formats differ only in their leading digit.
const char* const MemberFormats[LastPartyMember] = {
    "1:w=%d,x=%2d,y=%2d,z=%d,f=%2d",
    "2:w=%d,x=%2d,y=%2d,z=%d,f=%2d",
    "3:w=%d,x=%2d,y=%2d,z=%d,f=%2d",
    "4:w=%d,x=%2d,y=%2d,z=%d,f=%2d",
};

// SELECT ... FROM world WHERE worldid = W        -> the party moves to world W
//   where + 1..3   worldid = W (1..5)     where + 4   empty
bool selectWorldId(int where) {
  // Match the shape.
  int world;
  if (!readWorldId(where + 1, &world)) return false;
  if (!tokenEmpty(where + 4)) return false;

  // Ask for the privilege of the world travelled to.
  if (!requirePrivilege(world, PrivSelect)) return true;

  // Change the records; a move is seen, not reported.
  LeaderPos.world = uint8_t(world);
  return true;
}

// SELECT ... FROM world WHERE worldid = W AND x = X AND y = Y
//                                                -> the party moves to (X, Y) of world W
//   where + 1..11  the clause; W 1..5, X and Y 1..32     where + 12  empty
bool selectWorldPosition(int where) {
  // Match the shape.
  WorldCell cell;
  if (!readWorldCell(where, &cell)) return false;

  // Ask for the privilege of the world travelled to.
  if (!requirePrivilege(cell.world, PrivSelect)) return true;

  // Change the records. x or y = 32 puts the party one past the map's edge,
  // where every step but the way back is blocked.
  LeaderPos.x = uint8_t(cell.x);
  LeaderPos.y = uint8_t(cell.y);
  LeaderPos.world = uint8_t(cell.world);
  return true;
}

// SELECT ... FROM world WHERE x = X AND y = Y     -> the party moves to (X, Y) of its world
//   where + 1..7   x = X AND y = Y; X and Y 1..32     where + 8   empty
bool selectPosition(int where) {
  // Match the shape.
  int x, y;
  if (!readCellPosition(where + 1, &x, &y)) return false;
  if (!tokenEmpty(where + 8)) return false;

  // Ask for the privilege of the leader's own world.
  if (!requirePrivilege(LeaderPos.world, PrivSelect)) return true;

  // Change the records.
  LeaderPos.x = uint8_t(x);
  LeaderPos.y = uint8_t(y);
  return true;
}

// SELECT reliability ... FROM world WHERE worldid = W AND charaid = K
//                                                -> "K:reliability=R" for chara K in world W
//   token 1        reliability (exact; the rest of the list is not read)
//   where + 1..7   worldid = W AND charaid = K; W 1..5, K 1..6     where + 8  empty
// A world holds the reliability of charas 1 to 5: charaid 6 answers
// "no supported", as the party table does for members it does not hold.
void selectReliability(int where) {
  // Match the shape.
  if (!tokenIs(1, "reliability")) return;
  int world, chara;
  if (!readWorldId(where + 1, &world)) return;
  if (!keywordEquals(tokenAt(where + 4), "AND")) return;
  if (!readAssignment(where + 5, "charaid", 1, LastCharaId, &chara)) return;
  if (!tokenEmpty(where + 8)) return;

  // Ask for the privilege of the world read from.
  if (!requirePrivilege(world, PrivSelect)) return;

  // Report.
  if (chara > AuthorityCharaCount) {
    setStatus(NotSupported);
    return;
  }
  setStatusf("%d:reliability=%d", chara, int(Authority[world - 1].reliability[chara - 1]));
}

}  // namespace

void selectFromWorld(int where) {
  if (selectWorldId(where)) return;
  if (selectWorldPosition(where)) return;
  if (selectPosition(where)) return;
  selectReliability(where);
}

// SELECT ... FROM party WHERE charaid = K         -> "K:w=..,x=..,y=..,z=..,f=.." for member K
//   where + 1..3   charaid = K (1..6)     where + 4   empty
// No privilege is needed to look at one's own party. f is the tile under the
// member, or -1 for a member standing past the map's edge (x or y = 32).
void selectFromParty(int where) {
  // Match the shape.
  int chara;
  if (!readAssignment(where + 1, "charaid", 1, LastCharaId, &chara)) return;
  if (!tokenEmpty(where + 4)) return;

  // Report.
  if (chara > LastPartyMember) {
    setStatus(NotSupported);
    return;
  }
  const MapPos p = chara == 1 ? LeaderPos : Charas[chara - 2].pos;
  setStatusf(MemberFormats[chara - 1], int(p.world), int(p.x), int(p.y), int(p.floor), cellAt(p));
}
