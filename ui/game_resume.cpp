// Replaying a recording on resume: thousands of keys must not cost thousands
// of frames, so they are pressed with the form's drawing set aside. Every key
// draws only part of the screen over what the key before it left, so the
// screen under the last key is drawn afresh from the records, and the last
// key is pressed with drawing back on.
#include "ui/game_resume.h"

#include <cstddef>

#include "ui/command_entry.h"
#include "ui/field_view.h"
#include "game/game_state.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/status_strip.h"

namespace {

// The whole screen of the present mode, as entering that mode draws it.
void drawScreenFromRecords() {
  clearSurface();
  if (GameMode == ModeCommand) {
    drawCharGrid();
    drawGridCursor();
    if (CommandLength > 0) drawCommandLine();
  } else {
    drawField(LeaderPos);
  }
}

}  // namespace

void playRecordedKeys(const std::vector<uint16_t>& keys) {
  if (keys.empty()) return;
  setFormDrawing(false);
  for (size_t i = 0; i + 1 < keys.size(); ++i) FormKeyDown(keys[i]);
  setFormDrawing(true);
  // Still on the title: the title picture is on the surfaces as drawn.
  if (GameMode != ModeTitle) drawScreenFromRecords();
  FormKeyDown(keys.back());
}
