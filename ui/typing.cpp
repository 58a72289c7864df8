// The keyboard in front of the grid: planning a pick (the nearest cell
// holding the character, reached by the fewest arrow presses) and the walk
// under way, pressed one key at a time so that the player sees the cursor go.
#include "ui/typing.h"

#include "game/game_state.h"
#include "ui/command_entry.h"
#include "ui/key_chain.h"
#include "ui/keyboard.h"
#include "ui/session.h"

using enum platform::KeyCode;

namespace {

// How long each step of a walk stays on the screen: long enough to see the
// cursor go, short enough that a typist is never kept waiting.
constexpr int StepPauseMs = 25;

TypingRecord& typing = Session.typing;

// Each byte's cells as a chain, in grid order: the first cell holding it,
// and after each cell the next one holding the same byte. GridCells ends a
// chain. A replay types thousands of characters, most of them on one cell.
constexpr int GridCells = GridCols * GridRows;
struct CellChains {
  uint8_t first[256];
  uint8_t next[GridCells];
};
constexpr CellChains Chains = [] {
  CellChains chains{};
  for (uint8_t& cell : chains.first) cell = GridCells;
  for (int i = GridCells - 1; i >= 0; --i) {
    chains.next[i] = chains.first[CharGrid[i]];
    chains.first[CharGrid[i]] = uint8_t(i);
  }
  return chains;
}();

// Starts the walk that picks `cell`; returns false when the grid lacks it.
bool startWalk(uint8_t cell, bool character) {
  finishTypingWalk();
  typing.next = 0;
  typing.walk.count = 0;
  return character ? planCharacter(cell, &typing.walk) : planPick(cell, &typing.walk);
}

}  // namespace

bool planPick(uint8_t cell, GridKeys* keys) {
  const int col = CursorCol;
  const int row = CursorRow;
  int bestDistance = -1;
  GridWalk walk{};
  for (int i = Chains.first[cell]; i < GridCells; i = Chains.next[i]) {
    const GridWalk to = gridWalk(col, row, i % GridCols, i / GridCols);
    const int distance = to.across.steps + to.down.steps;
    if (bestDistance < 0 || distance < bestDistance) {
      walk = to;
      bestDistance = distance;
    }
  }
  if (bestDistance < 0) return false;
  keys->count = 0;
  for (int n = walk.across.steps; n > 0; --n) keys->keys[keys->count++] = walk.across.key;
  for (int n = walk.down.steps; n > 0; --n) keys->keys[keys->count++] = walk.down.key;
  keys->keys[keys->count++] = KeySpace;
  return true;
}

bool typeable(uint8_t character) {
  return character != EraseCode && character != SubmitCode && Chains.first[character] < GridCells;
}

bool planCharacter(uint8_t character, GridKeys* keys) {
  return typeable(character) && planPick(character, keys);
}

void setTyping(bool on) {
  finishTypingWalk();
  typing.on = on;
  typing.afterTyped = false;
}

void typingKeyDown(uint16_t key) {
  finishTypingWalk();
  if (!typing.on || GameMode != ModeCommand) {
    typing.afterTyped = false;
    pressGameKey(key);
    return;
  }
  switch (key) {
    case KeyUp:
    case KeyDown:
    case KeyLeft:
    case KeyRight:
      typing.afterTyped = false;
      pressGameKey(key);
      break;
    case KeyTab:
      pressGameKey(key);
      break;
    case KeySpace:
      if (typing.afterTyped) {
        startWalk(' ', true);
      } else {
        pressGameKey(key);
      }
      break;
    case KeyBack:
      typing.afterTyped = true;
      startWalk(EraseCode, false);
      break;
    case KeyEnter:
      typing.afterTyped = false;
      startWalk(SubmitCode, false);
      break;
    default:
      break;
  }
}

void typingCharacter(uint32_t character) {
  if (!typing.on || GameMode != ModeCommand) return;
  // Space is told by its key-down, which knows what came before it.
  if (character <= ' ' || character >= 0x7F) return;
  if (startWalk(uint8_t(character), true)) typing.afterTyped = true;
}

int typingWalk() {
  if (typing.next >= typing.walk.count) return -1;
  pressGameKey(typing.walk.keys[typing.next++]);
  return typing.next < typing.walk.count ? StepPauseMs : -1;
}

void finishTypingWalk() {
  while (typingWalk() >= 0) {
  }
}
