// Solving a world file with the planner (see world_solver.h).
#include "worlds/world_solver.h"

#include <memory>

#include "worlds/saved_records.h"

namespace {

constexpr int StepsPerLine = 20;
// The leader's walk passes turns; where it goes plays no part in the game.
constexpr const char* PassingKey = "Up";

// Writes the plan as script lines: runs of steps grouped on `key` lines,
// every statement as Enter, the typed text and the submit; the last turn,
// which wins, is a bare Enter.
std::string scriptOf(const planner::Plan& plan, int* statements) {
  std::string out = "key Space\n";
  int run = 0;
  auto flush = [&] {
    for (int done = 0; done < run; done += StepsPerLine) {
      out += "key";
      for (int k = done; k < run && k < done + StepsPerLine; ++k)
        out += std::string(" ") + PassingKey;
      out += "\n";
    }
    run = 0;
  };
  *statements = 0;
  for (size_t t = 0; t + 1 < plan.actions.size(); ++t) {
    const planner::Action& a = plan.actions[t];
    if (a.move == planner::Move::Step) {
      ++run;
      continue;
    }
    flush();
    out += "key Enter\ntype " + planner::statementOf(a) + "\nsubmit\n";
    ++*statements;
  }
  flush();
  // The winning turn comes from Enter: a step would put the title text back
  // into the message line right after the turn wrote the score there.
  out += "key Enter\n";
  return out;
}

// Hands the search's reports on with the stage they belong to.
struct StageReport {
  const SolveProgress* progress;
  int stage;
};
void relay(void* context, int turn, long best) {
  const auto* stage = static_cast<const StageReport*>(context);
  stage->progress->report(stage->progress->context, stage->stage, turn, best);
}

}  // namespace

SolvedGame solveWorlds(const WorldFile& file, planner::SearchOptions options,
                       const SolveProgress& progress) {
  const auto saved = std::make_unique<SavedRecords>();
  saved->save();
  startGameOn(file);
  planner::Snapshot start;
  planner::capture(&start);
  StageReport first{&progress, 1}, second{&progress, 2};
  if (progress.report) options.progress = relay;

  planner::SearchOptions worldThree = options;
  worldThree.progressContext = &first;
  options.progressContext = &second;
  worldThree.counted = worldThree.steered = 0b100;
  const planner::Plan alone = planner::searchWinningPlan(start, worldThree);
  if (alone.won) {
    options.steered = 0b011;
    for (size_t t = 0; t < alone.actions.size(); ++t) {
      if (alone.actions[t].move != planner::Move::Step)
        options.forced.emplace_back(int(t), alone.actions[t]);
    }
  }
  SolvedGame solved;
  solved.plan = planner::searchWinningPlan(start, options);
  if (solved.plan.won) {
    solved.script = scriptOf(solved.plan, &solved.statements);
    planner::arrivalTurns(start, solved.plan, solved.arrived);
  }
  saved->restore();
  return solved;
}
