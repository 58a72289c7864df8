// The shell's test game (see game_fixture.h).
#include "tests/support/game_fixture.h"

#include <algorithm>

#include "game/game_state.h"
#include "game/new_game.h"
#include "platform/application.h"
#include "ui/field_view.h"
#include "ui/main_window.h"

void prepareHeadlessForm() {
  static bool prepared = false;
  if (prepared) return;
  platform::Application.initialize(platform::Backend::Headless);
  loadFormResources();
  prepared = true;
}

void showFreshTitle() {
  prepareHeadlessForm();
  resetAllState();
  FormCreate();
}

void startFieldGame() {
  showFreshTitle();
  startNewGame();
  enterField();
  presentFrame();
}

std::vector<uint32_t> blockOf(const platform::Canvas& canvas, int x, int y, int w, int h) {
  std::vector<uint32_t> block;
  block.reserve(size_t(std::max(0, w * h)));
  for (int dy = 0; dy < h; ++dy) {
    for (int dx = 0; dx < w; ++dx) block.push_back(canvas.pixel(x + dx, y + dy));
  }
  return block;
}
