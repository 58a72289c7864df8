// The wall shaper (see wall_shaper.h).
#include "worlds/wall_shaper.h"

#include "game/game_state.h"

namespace {

// Indexed by the open-sides mask: above 1, below 2, left 4, right 8.
constexpr uint8_t Pieces[16] = {
    5,  // closed all round
    2,  // above
    8,  // below
    8,  // above, below: chosen
    4,  // left
    1,  // above, left
    7,  // below, left
    4,  // above, below, left: chosen
    6,  // right
    3,  // above, right
    9,  // below, right
    6,  // above, below, right: chosen
    5,  // left, right: chosen
    2,  // above, left, right: chosen
    8,  // below, left, right: chosen
    8,  // all four: chosen
};

bool isOpen(const uint8_t* floor, int x, int y) {
  if (!onMap(x, y)) return false;
  const uint8_t code = floor[x + MapSide * y];
  return code == TileFloor || code == TileGoal;
}

}  // namespace

uint8_t wallPiece(unsigned open) { return Pieces[open & 15u]; }

bool wallPieceDecided(unsigned open) {
  const bool vertical = (open & OpenAbove) && (open & OpenBelow);
  const bool horizontal = (open & OpenLeft) && (open & OpenRight);
  return !vertical && !horizontal;
}

unsigned openSides(const uint8_t* floor, int x, int y) {
  return (isOpen(floor, x, y - 1) ? OpenAbove : 0u) | (isOpen(floor, x, y + 1) ? OpenBelow : 0u) |
         (isOpen(floor, x - 1, y) ? OpenLeft : 0u) | (isOpen(floor, x + 1, y) ? OpenRight : 0u);
}
