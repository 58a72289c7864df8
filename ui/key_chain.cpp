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

void frontEndKeyDown(uint16_t key) {
  if (!steerWatch(key)) typingKeyDown(key);
}

void frontEndCharacter(uint32_t character) {
  if (watchSteers()) return;
  // The editor's title and author take what is typed; a game played from it
  // types on the grid as any game does.
  if (editorOpen() && !editorPlaying()) {
    editorTyped(character);
    return;
  }
  typingCharacter(character);
}

void frontEndGridKey(uint16_t key) {
  finishTypingWalk();
  if (!steerWatch(key)) pressGameKey(key);
}

int frontEndTick() {
  const int walk = typingWalk();
  const int watch = Session.hooks.tickPlaysWatch ? watchTick() : -1;
  if (walk < 0) return watch;
  return watch < 0 ? walk : std::min(walk, watch);
}
