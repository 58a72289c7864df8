// Replaying a recording on resume: thousands of keys must not cost thousands
// of frames, so they are pressed with the form's drawing set aside. Every key
// draws only part of the screen over what the key before it left, so the
// screen under the last key is drawn afresh from the records, and the last
// key is pressed with drawing back on.
#include "ui/game_resume.h"

#include <cstddef>
#include <cstring>

#include "game/game_state.h"
#include "ui/command_entry.h"
#include "ui/field_view.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/replay_summary.h"
#include "ui/session.h"
#include "ui/status_strip.h"

namespace {

// The whole screen of the present mode, as entering that mode draws it, with
// the message the strip last showed (a step resets it just after drawing).
void drawScreenFromRecords() {
  char shown[StatusSize];
  std::memcpy(shown, shownStatusLine(), sizeof shown);
  clearSurface();
  if (GameMode == ModeTitle) {
    drawTitlePicture();
  } else if (GameMode == ModeCommand || (GameMode == ModeCleared && gridShown())) {
    drawCharGrid();
    drawGridCursor();
    if (GameMode == ModeCleared) {
      drawStatusLine(shown);
    } else if (CommandLength > 0) {
      drawCommandLine();
    }
  } else {
    drawField(LeaderPos);
    drawStatusLine(shown);
  }
}

}  // namespace

namespace {

template <typename Key>
void playUndrawn(const Key* keys, size_t count, void (*press)(uint16_t key)) {
  if (count == 0) return;
  if (!formDrawing()) {
    for (size_t i = 0; i < count; ++i) press(keys[i]);
    return;
  }
  setFormDrawing(false);
  for (size_t i = 0; i + 1 < count; ++i) press(keys[i]);
  setFormDrawing(true);
  // Still on the title: the title picture is on the surfaces as drawn.
  if (GameMode != ModeTitle) drawScreenFromRecords();
  press(keys[count - 1]);
}

void pressOnForm(uint16_t key) { FormKeyDown(key); }

void pressTallied(uint16_t key) {
  tallyBeforeKey(key);
  FormKeyDown(key);
  tallyAfterKey();
}

}  // namespace

void playRecordedKeys(const std::vector<uint16_t>& keys) {
  playUndrawn(keys.data(), keys.size(), pressOnForm);
}

void playRecordedKeys(const uint8_t* keys, size_t count) { playUndrawn(keys, count, pressOnForm); }

void playKeysWithoutDrawing(const uint8_t* keys, size_t count, void (*press)(uint16_t key)) {
  playUndrawn(keys, count, press);
}

void playKeysTallied(const uint8_t* keys, size_t count) {
  resetReplayTally();
  playUndrawn(keys, count, pressTallied);
}

bool keysWinGame(const std::vector<uint16_t>& keys) {
  const bool drawing = formDrawing();
  // A judgement shows nothing, not even the help box a replayed \h asks for.
  void (*help)() = Session.hooks.showHelp;
  Session.hooks.showHelp = nullptr;
  setFormDrawing(false);
  resetAllState();
  showTitle();
  for (size_t i = 0; i < keys.size() && GameMode != ModeCleared; ++i) FormKeyDown(keys[i]);
  const bool won = GameMode == ModeCleared;
  resetAllState();
  setFormDrawing(drawing);
  Session.hooks.showHelp = help;
  return won;
}

void startDrawingFromRecords() {
  if (formDrawing()) return;
  loadFormResources();
  setFormDrawing(true);
  // A form created with its drawing aside has no pixels yet.
  if (Form1.Image1.width() == 0) {
    const FormSize size = formOuterSize();
    Form1.Image1.create(size.width, size.height);
    Form1.Image2.create(size.width, size.height);
    Form1.GridPicture.create(size.width, size.height);
  }
  drawScreenFromRecords();
  presentFrame();
}
