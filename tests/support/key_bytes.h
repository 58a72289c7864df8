// Key presses from bytes, as the key fuzzer and the soak play them:
//   0 to 90     walk the grid cursor by the fewest arrow presses to cell
//               (b mod 13, b / 13) and press Space, as a player picks a
//               character (in the field those arrows walk the leader);
//   91 to 250   one playable key: Up, Down, Left, Right, Space, Tab, Enter;
//   251 to 254  the next byte is sent as a key code of its own (0 to 255);
//   255         the next two bytes are sent as a 16-bit key code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/game_state.h"
#include "ui/command_entry.h"
#include "ui/keyboard.h"

constexpr uint16_t PlayableKeys[] = {platform::KeyUp,    platform::KeyDown,  platform::KeyLeft,
                                     platform::KeyRight, platform::KeySpace, platform::KeyTab,
                                     platform::KeyEnter};
constexpr uint8_t FirstPlayableByte = GridCols * GridRows;

// Sends the keys of `data` to press(key), which returns false to stop.
template <typename Press>
void pressKeysOf(const uint8_t* data, size_t size, Press press) {
  const auto walk = [&press](CursorSteps along) {
    for (int n = 0; n < along.steps; ++n) {
      if (!press(along.key)) return false;
    }
    return true;
  };
  for (size_t i = 0; i < size; ++i) {
    const uint8_t b = data[i];
    bool going = true;
    if (b < FirstPlayableByte) {
      const GridWalk to = gridWalk(CursorCol, CursorRow, b % GridCols, b / GridCols);
      going = walk(to.across) && walk(to.down) && press(platform::KeySpace);
    } else if (b <= 250) {
      going = press(PlayableKeys[(b - FirstPlayableByte) % 7]);
    } else if (b < 255) {
      if (i + 1 < size) going = press(data[++i]);
    } else if (i + 2 < size) {
      going = press(uint16_t(data[i + 1] | data[i + 2] << 8));
      i += 2;
    }
    if (!going) return;
  }
}
