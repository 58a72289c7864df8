// Fuzz target: whole key sequences through the form's key handler, from the
// title screen on, drawing included, on the headless platform.
//
// Input bytes decode to keys:
//   0 to 90     walk the grid cursor by the fewest arrow presses to cell
//               (b mod 13, b / 13) and press Space, as a player picks a
//               character (in the field those arrows walk the leader);
//   91 to 250   one playable key: Up, Down, Left, Right, Space, Tab, Enter;
//   251 to 254  the next byte is sent as a key code of its own (0 to 255);
//   255         the next two bytes are sent as a 16-bit key code.
// After every key the records must keep their invariants, and at most the one
// cell a submitted statement names may have changed.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "shell/game_state.h"
#include "shell/keyboard.h"

namespace {

constexpr uint16_t PlayableKeys[] = {KeyUp, KeyDown, KeyLeft, KeyRight, KeySpace, KeyTab, KeyEnter};
// Keys sent after the game is won: they must change nothing, and a few show it.
constexpr int KeysAfterClear = 4;
// Enough for the won game of the test scripts (about 26000 keys).
constexpr int MaxKeys = 30000;

struct Session {
  int keys = 0;
  int afterClear = 0;

  // Presses one key; false once the session has pressed enough.
  bool press(uint16_t key) {
    if (keys >= MaxKeys || afterClear > KeysAfterClear) return false;
    ++keys;
    if (GameMode == ModeCleared) ++afterClear;
    rememberMaps();
    FormKeyDown(key);
    requireOneCellChange("a key press");
    requireInvariants("a key press");
    return true;
  }

  // Moves the cursor `delta` cells along one axis of `span` cells, the short
  // way round, then nothing more.
  bool walk(int delta, int span, uint16_t forward, uint16_t back) {
    delta = ((delta % span) + span) % span;
    const bool ahead = delta <= span - delta;
    for (int n = ahead ? delta : span - delta; n > 0; --n) {
      if (!press(ahead ? forward : back)) return false;
    }
    return true;
  }

  bool pickCell(int cell) {
    const int col = cell % GridCols, row = cell / GridCols;
    return walk(row - CursorRow, GridRows, KeyDown, KeyUp) &&
           walk(col - CursorCol, GridCols, KeyRight, KeyLeft) && press(KeySpace);
  }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  prepareFuzzForm();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  freshTitle();
  requireInvariants("the title screen");
  Session session;
  for (size_t i = 0; i < size; ++i) {
    const uint8_t b = data[i];
    bool going = true;
    if (b < GridCols * GridRows) {
      going = session.pickCell(b);
    } else if (b <= 250) {
      going = session.press(PlayableKeys[(b - GridCols * GridRows) % 7]);
    } else if (b < 255) {
      if (i + 1 < size) going = session.press(data[++i]);
    } else if (i + 2 < size) {
      going = session.press(uint16_t(data[i + 1] | data[i + 2] << 8));
      i += 2;
    }
    if (!going) break;
  }
  return 0;
}
