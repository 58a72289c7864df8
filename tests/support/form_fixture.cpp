// The screen tests' games (see form_fixture.h).
#include "tests/support/form_fixture.h"

#include "game/game_state.h"
#include "game/new_game.h"
#include "ui/field_view.h"
#include "ui/form_start.h"
#include "ui/main_window.h"

void prepareHeadlessForm() {
  static bool prepared = false;
  if (prepared) return;
  startForm(FormStart{});
  prepared = true;
}

void showFreshTitle() {
  prepareHeadlessForm();
  restartForm();
}

void startFieldGame() {
  showFreshTitle();
  startNewGame();
  enterField();
  presentFrame();
}
