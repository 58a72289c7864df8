// Helpers for the command-entry tests (see command_entry_support.h).
#include "tests/support/command_entry_support.h"

#include <cstring>

#include "game/game_state.h"
#include "tests/support/game_fixture.h"
#include "ui/command_entry.h"
#include "ui/main_window.h"

void openFreshCommandEntry() {
  startFieldGame();
  openCommandEntry();
}

void setCommandLine(const std::string& text) {
  std::memset(CommandLine, 0, sizeof CommandLine);
  std::memcpy(CommandLine, text.data(), text.size() < sizeof CommandLine ? text.size() : 127);
  CommandLength = uint8_t(std::strlen(CommandLine));
}

int darkPixels(const platform::Canvas& canvas, const platform::Rect& r) {
  return inkIn(canvas, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

platform::Rect glyphArea(int col, int row) {
  const int x = 40 * col + 6;
  const int y = 44 * row + 24;
  return platform::Rect{x, y, x + 34, y + 38};
}

platform::Rect commandSlot(int k) {
  const int w = Form1.Image1.width();
  return platform::Rect{w - 16 * k, 0, w - 16 * (k - 1), 16};
}

int matchingImagePixels(int index, int x, int y, int* opaque) {
  // imageOf's ground colour marks what the mask leaves out.
  constexpr uint32_t Ground = 0xFF00FF;
  const platform::Canvas image = imageOf(Form1.Chara, index, Ground);
  int matching = 0;
  *opaque = 0;
  for (int dy = 0; dy < platform::ImageSide; ++dy) {
    for (int dx = 0; dx < platform::ImageSide; ++dx) {
      const uint32_t p = image.pixel(dx, dy);
      if (p == Ground) continue;
      ++*opaque;
      if (Form1.Image2.pixel(x + dx, y + dy) == p) ++matching;
    }
  }
  return matching;
}
