// Helpers for the command-entry tests (see command_entry_support.h).
#include "tests/support/command_entry_support.h"

#include <cstring>

#include "shell/command_entry.h"
#include "shell/field_view.h"
#include "shell/game_state.h"
#include "shell/main_window.h"
#include "shell/new_game.h"

void prepareForm() {
  static bool loaded = false;
  if (!loaded) {
    loadFormResources();
    loaded = true;
  }
  resetAllState();
  FormCreate();
}

void openFreshCommandEntry() {
  prepareForm();
  startNewGame();
  enterField();
  openCommandEntry();
}

void setCommandLine(const std::string& text) {
  std::memset(CommandLine, 0, sizeof CommandLine);
  std::memcpy(CommandLine, text.data(), text.size() < sizeof CommandLine ? text.size() : 127);
  CommandLength = uint8_t(std::strlen(CommandLine));
}

int darkPixels(const platform::Canvas& canvas, const platform::Rect& r) {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (x < 0 || y < 0 || x >= canvas.width() || y >= canvas.height()) continue;
      const uint32_t p = canvas.pixel(x, y);
      if (((p >> 16) & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p & 0xFF) < 0x60) ++count;
    }
  }
  return count;
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
  // A ground colour no picture of ours uses marks what the mask leaves out.
  constexpr uint32_t Ground = 0xFF00FF;
  static platform::Canvas scratch;
  if (scratch.width() == 0) scratch.create(platform::ImageSide, platform::ImageSide);
  scratch.setBrushStyle(platform::BrushSolid);
  scratch.setBrushColor(Ground);
  scratch.fillRect(platform::Rect{0, 0, platform::ImageSide, platform::ImageSide});
  Form1.Chara.draw(scratch, 0, 0, index);
  int matching = 0;
  *opaque = 0;
  for (int dy = 0; dy < platform::ImageSide; ++dy) {
    for (int dx = 0; dx < platform::ImageSide; ++dx) {
      const uint32_t p = scratch.pixel(dx, dy);
      if (p == Ground) continue;
      ++*opaque;
      if (Form1.Image2.pixel(x + dx, y + dy) == p) ++matching;
    }
  }
  return matching;
}
