// The velmora page's program: starts the application in the browser with its
// one form and leaves it running on the page, key-downs arriving from there.
// Also the calls the page and the browser test make into the game.
#include <emscripten/emscripten.h>

#include <exception>
#include <sstream>
#include <string>

#include "headless/headless_script.h"
#include "headless/state_json.h"
#include "platform/application.h"
#include "ui/command_entry.h"
#include "ui/form_start.h"
#include "ui/keyboard.h"
#include "ui/typing.h"

int main() {
  try {
    // Typing sits in front of the game, as on the desktop.
    startForm(FormStart{.backend = platform::Backend::Window,
                        .keyDown = typingKeyDown,
                        .typed = typingCharacter,
                        .step = typingWalk});
    return platform::Application.run();
  } catch (const std::exception& e) {
    platform::Application.showException(e.what());
  } catch (...) {
    platform::Application.showException("");
  }
  return 0;
}

extern "C" {

// One key press with virtual-key code `key`, as the page's key-downs give.
// A walk typing left under way is finished first.
EMSCRIPTEN_KEEPALIVE void velmora_key(int key) {
  finishTypingWalk();
  FormKeyDown(uint16_t(key));
}

// The page's switch: on, characters typed in command entry walk the grid to
// themselves; off, only the grid's keys compose (as velmora --grid-only).
EMSCRIPTEN_KEEPALIVE void velmora_set_typing(int on) { setTyping(on != 0); }

// The records as the headless `state` command prints them. The text stays
// valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* velmora_state() {
  static std::string json;
  json = gameStateJson();
  return json.c_str();
}

// Runs headless script lines (key, type, submit, state...) on the game in the
// page; returns the script's exit status.
EMSCRIPTEN_KEEPALIVE int velmora_run_script(const char* text) {
  finishTypingWalk();
  std::istringstream in(text ? text : "");
  return headless::runScript(in);
}

// Ends the game as closing the window does: the page shows a closed screen.
EMSCRIPTEN_KEEPALIVE void velmora_close() { platform::Application.shutdown(); }

// The character of the grid's cell at column `col`, row `row` (EraseCode and
// SubmitCode for the two command cells), or -1 off the grid: what the page's
// words panel names under the cursor.
EMSCRIPTEN_KEEPALIVE int velmora_grid_cell(int col, int row) {
  if (col < 0 || col >= GridCols || row < 0 || row >= GridRows) return -1;
  return CharGrid[row * GridCols + col];
}

}  // extern "C"
