// The velmora page's program: starts the application in the browser with its
// one form and leaves it running on the page, key-downs arriving from there.
// Also the calls the page and the browser test make into the game, and the
// page's keyPlayed hook, where the page keeps every key that goes into the
// game for saving, sharing and a reload. The world editor ("Make a world")
// takes the keys while it is open; its file lives in the browser's storage.
#include <emscripten/emscripten.h>

#include <exception>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "headless/script_keys.h"
#include "headless/state_json.h"
#include "platform/application.h"
#include "ui/command_entry.h"
#include "ui/editor_mode.h"
#include "ui/form_start.h"
#include "ui/game_resume.h"
#include "ui/key_chain.h"
#include "ui/main_window.h"
#include "ui/replay_watch.h"
#include "ui/typing.h"
#include "web/page_worlds.h"
#include "worlds/world_reader.h"
#include "worlds/world_writer.h"

namespace {

// A key going into the game: the page keeps it (page.js, keyPlayed).
void keepKey(uint16_t key) {
  EM_ASM({ velmoraPage.keyPlayed($0); }, key);
}

// The editor's file is the page's to keep (page.js, editor_page.js): in the
// browser's storage, which may be full.
bool keepEditedWorld(const std::string& text, std::string* reason) {
  if (EM_ASM_INT({ return velmoraEditor.saved(UTF8ToString($0)); }, text.c_str())) return true;
  *reason = "the browser's storage is full";
  return false;
}
void keepEditingCopy(const WorldEditor& editor) {
  const std::string text = writeWorldFile(editor.file());
  EM_ASM({ velmoraEditor.changed(UTF8ToString($0)); }, text.c_str());
}

// Why the last world file given to the editor was refused.
std::string editRefusal;

// The title of a fresh program, drawn and shown; no watch.
void showFreshTitle() {
  stopWatch();
  restartForm();
  presentFrame();
}

}  // namespace

int main() {
  try {
    // The page plays a watched game from its own timer (replay_page.js).
    startForm(FormStart{
        .backend = platform::Backend::Window, .keyPlayed = keepKey, .tickPlaysWatch = false});
    return platform::Application.run();
  } catch (const std::exception& e) {
    platform::Application.showException(e.what());
  } catch (...) {
    platform::Application.showException("");
  }
  return 0;
}

extern "C" {

// One key press with virtual-key code `key`, as the page's key-downs give
// (the touch keys, the browser test): past the typing layer, which finishes
// a walk left under way first; a watch still steers.
EMSCRIPTEN_KEEPALIVE void velmora_key(int key) { frontEndGridKey(uint16_t(key)); }

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

// A new game: the title of a fresh program.
EMSCRIPTEN_KEEPALIVE void velmora_new_game() { showFreshTitle(); }

// The game kept from an earlier visit: `count` keys pressed from a fresh
// title without drawing each, the page keeping them already.
EMSCRIPTEN_KEEPALIVE void velmora_resume_keys(const uint8_t* keys, int count) {
  showFreshTitle();
  playRecordedKeys(keys, size_t(count > 0 ? count : 0));
}

// Watches `count` keys (a replay link's) from a fresh title.
EMSCRIPTEN_KEEPALIVE void velmora_watch_keys(const uint8_t* keys, int count) {
  showFreshTitle();
  startWatch(std::vector<uint8_t>(keys, keys + (count > 0 ? count : 0)));
}

// Watches the game of a recording or script `text` from a fresh title: its
// keys are collected by playing it undrawn. Returns ExitOk, or ExitRefused
// after telling the bad line on standard error as --watch does; the game is
// then at a fresh title, for the page to restore.
EMSCRIPTEN_KEEPALIVE int velmora_watch_script(const char* text) {
  stopWatch();
  setFormDrawing(false);
  restartForm();
  std::vector<uint8_t> keys;
  const ExitStatus status = headless::collectScriptKeys(text ? text : "", &keys);
  setFormDrawing(true);
  showFreshTitle();
  if (status == ExitOk) startWatch(std::move(keys));
  return status;
}

// The watch's clock (watchTick): milliseconds until it is next
// due, or -1.
EMSCRIPTEN_KEEPALIVE int velmora_watch_tick() { return watchTick(); }

// Where the watch is (WatchState, as a number).
EMSCRIPTEN_KEEPALIVE int velmora_watch_state() { return int(watchState()); }

// Opens the world editor on the world file `text` ("" for a new one), with
// its changes counted as not saved when `unsaved` (a copy taken back).
// Returns ExitOk, or ExitRefused when the text is no world file
// (velmora_edit_refusal says why). Enter in the editor plays its world.
EMSCRIPTEN_KEEPALIVE int velmora_edit_open(const char* text, int unsaved) {
  stopWatch();
  WorldFile file = blankWorldFile();
  WorldFileError error;
  if (text != nullptr && *text != '\0' &&
      !readWorldFile("world file", text, &file, &error, WorldRules::Draft)) {
    editRefusal = error.message();
    return ExitRefused;
  }
  EditorHooks hooks;
  hooks.save = keepEditedWorld;
  hooks.changed = keepEditingCopy;
  hooks.playOn = playPageWorlds;
  hooks.typedCharacters = true;
  openEditor(file, EditorCursor{}, hooks);
  if (unsaved) forgetEditorSaved();
  return ExitOk;
}

// The world file as the editor holds it now. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* velmora_edit_text() {
  static std::string text;
  const WorldEditor* editor = editedWorld();
  text = editor ? writeWorldFile(editor->file()) : "";
  return text.c_str();
}

// Whether the editor holds changes not saved (the page asks before leaving).
EMSCRIPTEN_KEEPALIVE int velmora_edit_unsaved() {
  const WorldEditor* editor = editedWorld();
  return editor != nullptr && editor->dirty();
}

// Whether the editor wants Escape (it leaves the title's typing), rather than
// the page (which moves the focus to its buttons).
EMSCRIPTEN_KEEPALIVE int velmora_edit_takes_escape() { return editorTakesEscape(); }

EMSCRIPTEN_KEEPALIVE const char* velmora_edit_refusal() { return editRefusal.c_str(); }

// Comes back to the editor from a game of its world, as Escape does: the
// page's "Close the game" then. Returns 0 when no such game was played.
EMSCRIPTEN_KEEPALIVE int velmora_edit_leave_game() {
  const bool left = leaveEditorGame();
  if (left) presentFrame();
  return left;
}

// Closes the editor: the title of a fresh program.
EMSCRIPTEN_KEEPALIVE void velmora_edit_close() {
  closeEditor();
  showFreshTitle();
}

// The --summary line of the game watched. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* velmora_watch_summary() {
  static std::string line;
  line = watchSummary();
  return line.c_str();
}

}  // extern "C"
