// Tallying a replayed game from the key presses of its script. What a key
// does depends on the mode it meets, so each press is judged by the mode and
// cursor just before it: a turn is an arrow or Enter in the field, a
// submission is Space on the submit cell of command entry.
#include "ui/replay_summary.h"

#include <cstdio>

#include "game/game_state.h"
#include "ui/command_entry.h"
#include "ui/keyboard.h"
#include "ui/session.h"

using enum platform::KeyCode;

namespace {

TallyRecord& tally = Session.tally;

bool cursorOnSubmitCell() {
  return CursorCol < GridCols && CursorRow < GridRows &&
         CharGrid[GridCols * CursorRow + CursorCol] == SubmitCode;
}

}  // namespace

void resetReplayTally() { tally = TallyRecord{}; }

void tallyBeforeKey(uint16_t key) {
  if (pressRunsTurn(key)) ++tally.counts.turns;
  if (pressSubmitsStatement(key)) ++tally.counts.statements;
  tally.pressMetClearedGame = GameMode == ModeCleared;
  tally.scoreBeforePress = Score;
}

void tallyAfterKey() {
  if (!tally.pressMetClearedGame && GameMode == ModeCleared) {
    tally.counts.won = true;
    tally.counts.score = tally.scoreBeforePress;
  }
}

bool pressRunsTurn(uint16_t key) { return GameMode == ModeField && keyRunsTurn(key); }

bool pressSubmitsStatement(uint16_t key) {
  return GameMode == ModeCommand && key == KeySpace && cursorOnSubmitCell();
}

const ReplayTally& replayTally() { return tally.counts; }

std::string summaryLine(const ReplayTally& t) {
  char line[96];
  if (t.won) {
    std::snprintf(line, sizeof line, "won score=%d turns=%d statements=%d", t.score, t.turns,
                  t.statements);
  } else {
    std::snprintf(line, sizeof line, "not won turns=%d statements=%d", t.turns, t.statements);
  }
  return line;
}
