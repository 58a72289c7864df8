// The chain of a player's key, written once for every front end.
#include "ui/key_chain.h"

#include <algorithm>

#include "ui/editor_mode.h"
#include "ui/keyboard.h"
#include "ui/replay_watch.h"
#include "ui/session.h"
#include "ui/typing.h"

void pressGameKey(uint16_t key) {
  if (Session.hooks.keyPlayed) Session.hooks.keyPlayed(key);
  FormKeyDown(key);
}

// While the world editor is open every key is its own: no watch, typing
// or keeper sees it (a game played from the editor is the editor's too).
void frontEndKeyDown(uint16_t key) {
  if (editorOpen()) {
    FormKeyDown(key);
  } else if (!steerWatch(key)) {
    typingKeyDown(key);
  }
}

void frontEndCharacter(uint32_t character) {
  if (editorOpen()) {
    editorTyped(character);  // the title and author
  } else if (!watchSteers()) {
    typingCharacter(character);
  }
}

void frontEndGridKey(uint16_t key) {
  finishTypingWalk();
  if (editorOpen()) {
    FormKeyDown(key);
  } else if (!steerWatch(key)) {
    pressGameKey(key);
  }
}

int frontEndTick() {
  const int walk = typingWalk();
  const int watch = Session.hooks.tickPlaysWatch ? watchTick() : -1;
  if (walk < 0) return watch;
  return watch < 0 ? walk : std::min(walk, watch);
}
