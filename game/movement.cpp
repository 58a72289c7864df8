// The game's one random generator, the walking rules of the leader and the
// three self-moving charas, and the turn that advances the world: authority
// drift, the charas' moves and the win test.
#include "game/movement.h"

namespace {

// The LCG's multiplier and increment; a whole game replays from program start
// because every random decision is drawn from here.
constexpr uint32_t RandomMultiplier = 22695477u;
constexpr uint32_t RandomIncrement = 1u;

uint32_t nextRandom() {
  RandomState = RandomState * RandomMultiplier + RandomIncrement;
  return (RandomState >> 16) & 0x7FFFu;
}

void seedRandom(uint32_t n) {
  RandomState = n;
  nextRandom();
}

// Each mover (and the turn itself) reseeds from SeedCounter, so one decision's
// draws never depend on how many draws the previous decision made.
void reseed() {
  seedRandom(SeedCounter);
  SeedCounter += 1;
}

// Returns pos moved one cell in the keypad direction. Only the one byte
// changes, and it wraps inside itself (0 - 1 = 255) without carrying.
MapPos stepped(MapPos pos, int direction) {
  switch (direction) {
    case DirDown:
      pos.y = uint8_t(pos.y + 1);
      break;
    case DirLeft:
      pos.x = uint8_t(pos.x - 1);
      break;
    case DirRight:
      pos.x = uint8_t(pos.x + 1);
      break;
    case DirUp:
      pos.y = uint8_t(pos.y - 1);
      break;
    default:
      break;
  }
  return pos;
}

Passability passability(MapPos pos) { return tilePassability(cellAt(pos)); }

// The random choice r of 0 to 3 names the directions down, left, right, up.
constexpr int DirectionOfChoice[4] = {DirDown, DirLeft, DirRight, DirUp};

bool inTrail(const CharaRec& chara, uint32_t cell) {
  for (uint32_t entry : chara.trail) {
    if (entry == cell) return true;
  }
  return false;
}

// Counts the walkable cells above, below, left and right of pos.
int openNeighbours(MapPos pos) {
  int open = 0;
  constexpr int Around[4] = {DirUp, DirDown, DirLeft, DirRight};
  for (int direction : Around) {
    if (passability(stepped(pos, direction)) != PassBlocked) ++open;
  }
  return open;
}

// The shared body of the wanderer and the explorer: look for a neighbour not
// in the trail, try to step there and remember the cell examined. An explorer
// stuck among remembered cells at a junction forgets its trail and takes the
// last direction drawn anyway, rather than stand boxed in by its own memory
// where paths meet.
Passability moveByTrail(int i, bool forgetsAtJunctions) {
  CharaRec& chara = Charas[i];
  reseed();

  MapPos candidate = chara.pos;
  bool seen = true;
  for (int draw = 0; draw < 10 && seen; ++draw) {
    int r = int(nextRandom() % 4);
    candidate = stepped(chara.pos, DirectionOfChoice[r]);
    seen = inTrail(chara, PackedCell(candidate));
  }

  bool directionChosen = !seen;
  if (seen && forgetsAtJunctions && openNeighbours(chara.pos) > 2) {
    for (int k = 0; k < TrailLength - 1; ++k) chara.trail[k] = 0;
    directionChosen = true;
  }

  Passability result = PassBlocked;
  MapPos examined = chara.pos;
  if (directionChosen) {
    examined = candidate;
    result = passability(candidate);
    if (result != PassBlocked) chara.pos = candidate;
  }

  for (int k = 0; k < TrailLength - 1; ++k) chara.trail[k] = chara.trail[k + 1];
  chara.trail[TrailLength - 1] = PackedCell(examined);
  return result;
}

// Plane 1 forgives fast but punishes hard: one draw may take five flags.
void driftPlaneOne(AuthorityPlane& plane, int c) {
  int16_t& reliability = plane.reliability[c];
  if (reliability < 100) reliability = int16_t(reliability + 10);
  if (reliability >= 0) return;
  if (nextRandom() % 10 == 0) {
    for (int k = 0; k < 5; ++k) plane.privileges[c][k] = 0;
  }
}

// Planes 2 and 3 take flags one by one, the later flags less often; a flag
// already gone costs no draw.
void driftPlaneByFlag(AuthorityPlane& plane, int c, int recovery, uint32_t firstDivisor) {
  int16_t& reliability = plane.reliability[c];
  if (reliability < 100) reliability = int16_t(reliability + recovery);
  if (reliability >= 0) return;
  for (int k = 0; k < 5; ++k) {
    if (plane.privileges[c][k] == 0) continue;
    if (nextRandom() % (firstDivisor + 5u * uint32_t(k)) == 0) plane.privileges[c][k] = 0;
  }
}

void driftAuthority() {
  for (int c = 0; c < AuthorityCharaCount; ++c) {
    driftPlaneOne(Authority[0], c);
    driftPlaneByFlag(Authority[1], c, 1, 5);
    driftPlaneByFlag(Authority[2], c, 3, 10);
  }
}

// A random mover steps one cell in a direction drawn afresh every turn.
Passability moveRandom(int i) {
  CharaRec& chara = Charas[i];
  reseed();
  int r = int(nextRandom() % 4);
  MapPos candidate = stepped(chara.pos, DirectionOfChoice[r]);
  const Passability result = passability(candidate);
  if (result != PassBlocked) chara.pos = candidate;
  return result;
}

}  // namespace

int cellAt(MapPos pos) {
  if (!isWorld(pos.world)) return CellBlocked;
  if (!onFloor(pos.x, pos.y, pos.floor)) return CellBlocked;
  return WorldMaps[pos.world - 1].cells[cellIndex(pos.x, pos.y, pos.floor)];
}

Passability tilePassability(int tile) {
  switch (tile) {
    case TileFloor:
      return PassFloor;
    case TileGoal:
      return PassGoal;
    default:
      return PassBlocked;
  }
}

void stepLeader(int direction) {
  MapPos candidate = stepped(LeaderPos, direction);
  if (passability(candidate) != PassBlocked) LeaderPos = candidate;
}

void runTurn() {
  reseed();
  driftAuthority();

  for (int i = 0; i < CharaCount; ++i) {
    Passability result = PassBlocked;
    switch (Charas[i].moveKind) {
      case MoveRandom:
        result = moveRandom(i);
        break;
      case MoveWander:
        result = moveByTrail(i, false);
        break;
      case MoveExplore:
        result = moveByTrail(i, true);
        break;
      default:  // MoveStay, MoveArrived and anything unknown stand still
        break;
    }
    if (result == PassGoal) Charas[i].moveKind = MoveArrived;
  }

  bool allArrived = true;
  for (const CharaRec& chara : Charas) {
    if (chara.moveKind != MoveArrived) allArrived = false;
  }
  if (allArrived) {
    setStatusf("Congratulation! Score=%d", int(Score));
    GameMode = ModeCleared;
    LeaderPos = Charas[0].pos;
  }

  if (Score > 0) Score -= 1;
}
