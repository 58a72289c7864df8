// The world editor as a mode of the form: while it is open every key goes
// to it first (FormKeyDown asks), so the window, the page and a headless
// script's `key` lines drive it alike. Enter plays the world from its title
// in the same form; Escape, or closing that game, comes back to the editor
// where it was. Where the file is kept is the front end's business: it
// hands in how to save and how to keep a copy against a crash.
#pragma once

#include <cstdint>
#include <string>

#include "worlds/world_editor.h"

struct EditorHooks {
  // Writes the world file's text where the front end keeps it. False, with
  // the reason in *reason, when it is not written (the old file then stays).
  bool (*save)(const std::string& text, std::string* reason) = nullptr;
  // Called after every change of the world, for the copy kept against a
  // crash; null keeps none.
  void (*changed)(const WorldEditor& editor) = nullptr;
  // Makes the next game (from the title) play on `worlds`, a file the play
  // checks passed, or on the built-in worlds again when null: the front end
  // installs worlds its own way. Null: the world cannot be played.
  void (*playOn)(const WorldFile* worlds) = nullptr;
  // The front end delivers typed characters (editorTyped); without, the
  // title and author are typed with the letter, digit and Space keys.
  bool typedCharacters = false;
};

// Opens the editor on `file` (its cursor at `at`) and draws it.
void openEditor(const WorldFile& file, const EditorCursor& at, const EditorHooks& hooks);
// Closes the editor: later keys go to the game alone.
void closeEditor();
// Whether the editor is open (editing, or playing its world).
bool editorOpen();
// Whether a game of the edited world is being played.
bool editorPlaying();
// Whether Escape is the editor's now (it leaves the title's typing, or the
// game played), rather than the page's.
bool editorTakesEscape();

// Takes one key while the editor is open; returns false when the key is the
// game's (no editor, or a game played from it). Draws what changed; the
// caller presents the frame.
bool editorKeyDown(uint16_t key);
// Takes one typed character while the title or author is typed.
void editorTyped(uint32_t character);
// Comes back from a game played from the editor, as Escape does: the
// window's close button while playing. Returns false when no game was played.
bool leaveEditorGame();

// The world being edited; null when the editor is closed.
const WorldEditor* editedWorld();
// Saves as F2 does; false when it was not saved (the editor says why).
bool saveEditedWorld();
// Makes the world being edited count as changed until saved (a session
// taken back after a crash).
void forgetEditorSaved();
// Has the editor say `text` on its screen (and in state) until the next key.
void sayInEditor(const char* text);
// What the editor said last ("" for nothing).
const std::string& editorNote();
