// The form's key-down handler: what each key does in each game mode. Every
// key press, whatever it did, ends by presenting the new frame.
#include "ui/keyboard.h"

#include "game/game_state.h"
#include "game/movement.h"
#include "game/new_game.h"
#include "ui/command_entry.h"
#include "ui/editor_mode.h"
#include "ui/field_view.h"
#include "ui/main_window.h"
#include "ui/status_strip.h"

using enum platform::KeyCode;

namespace {

void fieldKey(uint16_t key) {
  if (!keyRunsTurn(key)) return;
  if (int direction = directionOf(key)) {
    stepLeader(direction);
    runTurn();
    drawField(LeaderPos);
    // Reset only after drawing: a statement's answer stays on show for the
    // first step after it.
    setStatus(GameTitleText);
  } else {
    openCommandEntry();
    runTurn();
    // A turn that wins while the grid is up writes its message over the grid.
    if (GameMode == ModeCleared) drawStatusLine(StatusText);
  }
}

void commandKey(uint16_t key) {
  if (int direction = directionOf(key)) {
    moveCursor(direction);
  } else if (key == KeySpace) {
    pickChar();
  } else if (key == KeyTab) {
    completeWord();
  }
}

}  // namespace

void FormKeyDown(uint16_t key) {
  // The world editor, while it is open, takes its keys first.
  if (editorKeyDown(key)) {
    presentFrame();
    return;
  }
  switch (GameMode) {
    case ModeField:
      fieldKey(key);
      break;
    case ModeCommand:
      commandKey(key);
      break;
    case ModeTitle:
      startNewGame();
      enterField();
      break;
    default:
      break;
  }
  presentFrame();
}
