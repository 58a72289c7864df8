// The beam search behind the winning-game planner (see beam_search.h). Every
// turn it expands each kept game by the statements worth making now: opening
// a wall that shortens a chara's way, walling a side cell that would lead it
// astray, or giving back a lost UPDATE privilege. A chara's next draws are
// fixed by the seed, so each statement is judged by the turn after it: the
// charas' distances to their goals once they have moved.
#include "worlds/beam_search.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "game/movement.h"
#include "statements/authority.h"
#include "statements/dispatcher.h"

namespace planner {
namespace {

struct Link {
  int parent;
  Action action;
};

struct Candidate {
  long score;
  int parent;
  int order;  // keeps the sort stable and so the planner deterministic
  Action action;
  uint64_t hash;
  uint64_t where;  // the three charas' cells
};

bool active(const Snapshot& s, int i) { return s.charas[i].moveKind != MoveArrived; }

// Whether every chara the search counts has arrived.
bool finished(const Snapshot& s, const SearchOptions& o) {
  for (int i = 0; i < PlannedWorlds; ++i) {
    if (o.counted >> i & 1 && active(s, i)) return false;
  }
  return true;
}

const Action* forcedAt(const SearchOptions& o, int turn) {
  for (const auto& [t, action] : o.forced) {
    if (t == turn) return &action;
  }
  return nullptr;
}

int indexOf(MapPos p) { return p.x + MapSide * p.y; }

// Scores a game by its charas' distances (lower is better).
long scoreOf(const Snapshot& s, Field fields[PlannedWorlds], const SearchOptions& o) {
  long slowest = 0, sum = 0;
  for (int i = 0; i < PlannedWorlds; ++i) {
    if (!active(s, i) || !(o.counted >> i & 1)) continue;
    long h = fields[i][indexOf(s.charas[i].pos)];
    slowest = std::max(slowest, h);
    sum += h;
    if (i + 1 <= LastGrantableWorld && !s.authority[i].privileges[0][PrivUpdate])
      sum += o.lostPrivilegePenalty;
  }
  return slowest * o.slowestWeight + sum;
}

void addUpdate(std::vector<Action>* out, int world, int x, int y, int field) {
  for (const Action& a : *out) {
    if (a.move == Move::Update && a.world == world && a.x == x && a.y == y) return;
  }
  out->push_back(Action{Move::Update, uint8_t(world), uint8_t(x), uint8_t(y), uint8_t(field)});
}

constexpr int Dx[4] = {0, 0, -1, 1}, Dy[4] = {-1, 1, 0, 0};

// The statements worth trying after this turn's moves.
std::vector<Action> actionsFor(const Snapshot& s, Field fields[PlannedWorlds],
                               const SearchOptions& o) {
  std::vector<Action> out{Action{}};
  for (int i = 0; i < PlannedWorlds; ++i) {
    if (!active(s, i) || !(o.steered >> i & 1)) continue;
    const int world = i + 1;
    const AuthorityPlane& plane = s.authority[i];
    if (!plane.privileges[0][PrivUpdate]) {
      if (world <= LastGrantableWorld) out.push_back(Action{Move::Grant, uint8_t(world), 0, 0, 0});
      continue;
    }
    // A world GRANT cannot name never gets its privileges back.
    if (world > LastGrantableWorld && plane.reliability[0] - UpdatePenalty < o.worldThreeFloor)
      continue;
    const Field& f = fields[i];
    const MapPos p = s.charas[i].pos;
    const int here = f[indexOf(p)];
    for (int k = 0; k < 4; ++k) {
      const int nx = p.x + Dx[k], ny = p.y + Dy[k];
      if (!openable(s, world, nx, ny)) continue;
      const int n = nx + MapSide * ny;
      if (walkable(s.maps[i][n])) {
        if (f[n] >= here) addUpdate(&out, world, nx, ny, TileOutside);
      } else if (f[n] < here) {
        addUpdate(&out, world, nx, ny, TileFloor);
      }
    }
    // The first wall along the best way, opened before the chara gets there.
    int cx = p.x, cy = p.y;
    for (int step = 0; step < o.lookAhead && f[cx + MapSide * cy] > 0; ++step) {
      int best = -1, bx = 0, by = 0;
      for (int k = 0; k < 4; ++k) {
        const int nx = cx + Dx[k], ny = cy + Dy[k];
        if (nx < 0 || ny < 0 || nx >= MapSide || ny >= MapSide) continue;
        const int v = f[nx + MapSide * ny];
        if (v != Unreachable && (best < 0 || v < best)) best = v, bx = nx, by = ny;
      }
      if (best < 0) break;
      cx = bx, cy = by;
      if (!walkable(s.maps[i][cx + MapSide * cy])) {
        if (step > 0) addUpdate(&out, world, cx, cy, TileFloor);
        break;
      }
    }
  }
  return out;
}

// Runs an action's statement on the game in the records, as submitting it
// does.
void applyStatement(const Action& a) {
  if (a.move != Move::Step) executeStatement(statementOf(a).c_str());
}

void computeFields(const Snapshot& s, const Costs& costs, Field fields[PlannedWorlds]) {
  for (int w = 1; w <= PlannedWorlds; ++w) distanceField(s, w, costs, fields[w - 1]);
}

// Plays this turn in every kept game and scores each statement worth making
// after it. Returns the index of a game the turn finishes, or -1.
int expand(const std::vector<Snapshot>& beam, int turn, const SearchOptions& o,
           std::vector<Snapshot>* after, std::vector<Candidate>* candidates) {
  static Field parentFields[PlannedWorlds];
  static Field childFields[PlannedWorlds];
  Snapshot child, ahead;
  after->assign(beam.size(), Snapshot{});
  const Action* forced = forcedAt(o, turn);
  for (size_t p = 0; p < beam.size(); ++p) {
    restore(beam[p]);
    runTurn();
    capture(&(*after)[p]);
    if (finished((*after)[p], o)) return int(p);
    computeFields((*after)[p], o.costs, parentFields);
    const std::vector<Action> actions =
        forced ? std::vector<Action>{*forced} : actionsFor((*after)[p], parentFields, o);
    for (const Action& a : actions) {
      restore((*after)[p]);
      applyStatement(a);
      capture(&child);
      Field* fields = parentFields;
      if (a.move == Move::Update) {
        std::copy(&parentFields[0][0], &parentFields[0][0] + PlannedWorlds * CellsPerFloor,
                  &childFields[0][0]);
        distanceField(child, a.world, o.costs, childFields[a.world - 1]);
        fields = childFields;
      }
      // Judge the statement by the moves it leads to: the next turn's draws
      // are already fixed, only the cells they land on are not.
      runTurn();
      capture(&ahead);
      const long score = finished(ahead, o) ? -1 : scoreOf(ahead, fields, o);
      uint64_t where = 0;
      for (const CharaRec& c : ahead.charas) where = where << 16 | (c.pos.x | c.pos.y << 8);
      candidates->push_back(
          Candidate{score, int(p), int(candidates->size()), a, hashOf(child), where});
    }
  }
  return -1;
}

// Keeps the best-scored distinct games, no more than perPosition of them
// with the charas on the same cells.
void keepBest(std::vector<Candidate>* candidates, const std::vector<Snapshot>& after,
              const SearchOptions& o, std::vector<Snapshot>* next, std::vector<Link>* links) {
  std::sort(candidates->begin(), candidates->end(), [](const Candidate& a, const Candidate& b) {
    return a.score != b.score ? a.score < b.score : a.order < b.order;
  });
  std::unordered_set<uint64_t> seen;
  std::unordered_map<uint64_t, int> crowd;
  next->clear();
  links->clear();
  for (const Candidate& c : *candidates) {
    if (int(next->size()) >= o.beamWidth) break;
    if (!seen.insert(c.hash).second) continue;
    if (++crowd[c.where] > o.perPosition) continue;
    restore(after[size_t(c.parent)]);
    applyStatement(c.action);
    next->emplace_back();
    capture(&next->back());
    links->push_back(Link{c.parent, c.action});
  }
}

}  // namespace

Plan searchWinningPlan(const Snapshot& start, const SearchOptions& o) {
  Snapshot saved;
  capture(&saved);
  std::vector<Snapshot> beam(1, start), after, next;
  std::vector<std::vector<Link>> history;  // per turn, how each kept game came about
  Plan plan;
  for (int turn = 0; turn < o.maxTurns && !plan.won; ++turn) {
    std::vector<Candidate> candidates;
    const int winner = expand(beam, turn, o, &after, &candidates);
    if (winner >= 0) {
      plan.won = true;
      plan.final = after[size_t(winner)];
      plan.actions.push_back(Action{});  // the winning turn itself
      for (int t = int(history.size()) - 1, at = winner; t >= 0; --t) {
        plan.actions.push_back(history[size_t(t)][size_t(at)].action);
        at = history[size_t(t)][size_t(at)].parent;
      }
      std::reverse(plan.actions.begin(), plan.actions.end());
      break;
    }
    std::vector<Link> links;
    keepBest(&candidates, after, o, &next, &links);
    if (next.empty()) break;
    if (o.progress) o.progress(o.progressContext, turn + 1, candidates.front().score);
    beam.swap(next);
    history.push_back(std::move(links));
  }
  restore(saved);
  return plan;
}

void arrivalTurns(const Snapshot& start, const Plan& plan, int arrived[PlannedWorlds]) {
  Snapshot saved;
  capture(&saved);
  restore(start);
  for (int i = 0; i < PlannedWorlds; ++i) arrived[i] = 0;
  for (size_t t = 0; t < plan.actions.size(); ++t) {
    runTurn();
    for (int i = 0; i < PlannedWorlds; ++i) {
      if (arrived[i] == 0 && Charas[i].moveKind == MoveArrived) arrived[i] = int(t) + 1;
    }
    applyStatement(plan.actions[t]);
  }
  restore(saved);
}

}  // namespace planner
