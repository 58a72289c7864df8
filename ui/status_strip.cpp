// The status strip, 16 pixels across the top of the surface: the message
// line in the field, the tail of the statement during command entry.
#include "ui/status_strip.h"

#include <cstring>

#include "game/game_state.h"
#include "ui/main_window.h"

namespace {

constexpr int SlotWidth = 16;  // one fixed slot per character of a statement
constexpr int ShownCommandChars = 44;

char shownStatus[StatusSize];

// Whitens the strip across the whole surface width, which is a little wider
// than the view.
void clearStrip() {
  platform::Canvas& canvas = Form1.Image2;
  canvas.setBrushStyle(platform::BrushSolid);
  canvas.setBrushColor(platform::ColorWhite);
  canvas.fillRect(platform::Rect{0, 0, Form1.Image1.width(), StripHeight});
}

}  // namespace

void drawStatusLine(const char* text) {
  // Noted even while drawing is set aside, so the strip can be drawn later.
  if (text != shownStatus) {
    const size_t length = strnlen(text, StatusSize - 1);
    std::memcpy(shownStatus, text, length);
    shownStatus[length] = '\0';
  }
  clearStrip();
  Form1.Image2.setFontHeight(StripHeight);
  // Every message is zero-terminated within the 130 bytes of StatusText; the
  // bound keeps an unterminated one from being read past its end.
  Form1.Image2.textOut(0, 0, text, int(strnlen(text, StatusSize - 1)));
}

const char* shownStatusLine() { return shownStatus; }

void drawCommandLine() {
  clearStrip();
  platform::Canvas& canvas = Form1.Image2;
  canvas.setFontHeight(StripHeight);
  // A surface set aside is empty: no slot would show, and a replay picks
  // thousands of characters.
  if (canvas.width() == 0) return;
  // The slots end at the view's right edge, not the surface's: the surface
  // runs a few pixels past what the window shows, and the newest character,
  // the one the player just picked, must be seen whole.
  const int right = ViewWidth;
  // CommandLength never passes 112; the bound only keeps a broken length
  // from reading past the line.
  int length = CommandLength < CommandSize ? CommandLength : CommandSize - 1;
  for (int k = 1; k <= ShownCommandChars && k <= length; ++k) {
    canvas.textOut(right - SlotWidth * k, 0, &CommandLine[length - k], 1);
  }
}
