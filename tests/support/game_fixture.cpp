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

platform::Canvas imageOf(const platform::ImageList& list, int index, uint32_t ground) {
  platform::Canvas canvas;
  canvas.create(platform::ImageSide, platform::ImageSide);
  canvas.setBrushStyle(platform::BrushSolid);
  canvas.setBrushColor(ground);
  canvas.fillRect(platform::Rect{0, 0, platform::ImageSide, platform::ImageSide});
  list.draw(canvas, 0, 0, index);
  return canvas;
}

bool blockEquals(const platform::Canvas& canvas, int x, int y, const platform::Canvas& expected,
                 int w, int h) {
  for (int dy = 0; dy < h; ++dy) {
    for (int dx = 0; dx < w; ++dx) {
      if (canvas.pixel(x + dx, y + dy) != expected.pixel(dx, dy)) return false;
    }
  }
  return true;
}

std::vector<uint32_t> blockOf(const platform::Canvas& canvas, int x, int y, int w, int h) {
  std::vector<uint32_t> block;
  block.reserve(size_t(std::max(0, w * h)));
  for (int dy = 0; dy < h; ++dy) {
    for (int dx = 0; dx < w; ++dx) block.push_back(canvas.pixel(x + dx, y + dy));
  }
  return block;
}

bool sameSurface(const platform::Canvas& a, const platform::Canvas& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         std::equal(a.pixels(), a.pixels() + size_t(a.width()) * a.height(), b.pixels());
}

int inkIn(const platform::Canvas& canvas, int x, int y, int w, int h) {
  int ink = 0;
  for (int dy = 0; dy < h; ++dy) {
    for (int dx = 0; dx < w; ++dx) {
      if (x + dx < 0 || y + dy < 0 || x + dx >= canvas.width() || y + dy >= canvas.height()) {
        continue;
      }
      uint32_t p = canvas.pixel(x + dx, y + dy);
      if (((p >> 16) & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p & 0xFF) < 0x60) ++ink;
    }
  }
  return ink;
}
