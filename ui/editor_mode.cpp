// The world editor as a mode of the form (see editor_mode.h): its keys,
// typing the title and author, saving through the front end, and playing
// the world from its title and coming back.
#include "ui/editor_mode.h"

#include <memory>

#include "game/game_state.h"
#include "platform/key_codes.h"
#include "ui/editor_view.h"
#include "ui/main_window.h"
#include "worlds/world_reader.h"
#include "worlds/world_writer.h"

namespace {

using namespace platform;

// What is typed for a title or author before the format's limit is checked
// on Enter: a little more than its longest, so a slip can still be erased.
constexpr size_t EntryLimit = 4 * WorldTextLimit;

enum class Stage { Editing, TypingTitle, TypingAuthor, Playing };

struct Editor {
  std::unique_ptr<WorldEditor> world;
  EditorHooks hooks;
  Stage stage = Stage::Editing;
  std::string note;
  std::string entry;       // the title or author being typed
  std::string typedTitle;  // the title typed, while the author is
  std::string entryLine;   // what the panel shows of the entry
  // The character the T key itself types (the window and the page deliver
  // it after the key): not part of the title.
  bool dropTypedT = false;
} editor;

void draw() {
  if (!editor.world || editor.stage == Stage::Playing) return;
  const char* entry = nullptr;
  if (editor.stage != Stage::Editing) {
    editor.entryLine =
        (editor.stage == Stage::TypingTitle ? "title: " : "author: ") + editor.entry + "_";
    entry = editor.entryLine.c_str();
  }
  drawEditorScreen(*editor.world, editor.note.c_str(), entry);
}

void changed() {
  if (editor.hooks.changed) editor.hooks.changed(*editor.world);
}

bool act(EditAction action) {
  const bool edits = action != EditAction::Left && action != EditAction::Right &&
                     action != EditAction::Up && action != EditAction::Down &&
                     action != EditAction::PreviousFloor && action != EditAction::NextFloor &&
                     action != EditAction::NextWorld;
  const bool done = editor.world->apply(action);
  editor.note = editor.world->note();
  if (done && edits) changed();
  return done;
}

// Plays the world from its title, when the game's own checks let it.
void play() {
  if (!editor.hooks.playOn) {
    editor.note = "playing it is not here yet: Download it to play it on the desktop";
    return;
  }
  const std::string text = writeWorldFile(editor.world->file());
  WorldFile playable;
  WorldFileError error;
  if (!readWorldFile("", text, &playable, &error, WorldRules::Play)) {
    editor.note = "not playable: " + error.reason;
    return;
  }
  editor.hooks.playOn(&playable);
  editor.stage = Stage::Playing;
  resetAllState();
  showTitle();
}

void beginEntry() {
  editor.stage = Stage::TypingTitle;
  editor.entry = editor.world->file().title;
  editor.note.clear();
  editor.dropTypedT = editor.hooks.typedCharacters;
}

void finishEntry() {
  if (editor.stage == Stage::TypingTitle) {
    editor.typedTitle = editor.entry;
    editor.entry = editor.world->file().author;
    editor.stage = Stage::TypingAuthor;
    return;
  }
  editor.stage = Stage::Editing;
  if (editor.world->setTexts(editor.typedTitle, editor.entry)) changed();
  editor.note = editor.world->note();
}

void eraseLastCharacter(std::string* text) {
  while (!text->empty() && (text->back() & 0xC0) == 0x80) text->pop_back();
  if (!text->empty()) text->pop_back();
}

void appendCharacter(uint32_t c) {
  if (c < 0x20 || c == 0x7F || c > 0x10FFFF || editor.entry.size() + 4 > EntryLimit) return;
  std::string& out = editor.entry;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | c >> 6), out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | c >> 12), out += char(0x80 | (c >> 6 & 0x3F)),
        out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | c >> 18), out += char(0x80 | (c >> 12 & 0x3F));
    out += char(0x80 | (c >> 6 & 0x3F)), out += char(0x80 | (c & 0x3F));
  }
}

void entryKey(uint16_t key) {
  if (key == KeyEnter) {
    finishEntry();
  } else if (key == KeyEscape) {
    editor.stage = Stage::Editing;
  } else if (key == KeyBack) {
    eraseLastCharacter(&editor.entry);
  } else if (!editor.hooks.typedCharacters) {
    // A script types with keys: the letters as capitals, digits and Space.
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == KeySpace)
      appendCharacter(key);
  }
}

// The keys that change the world or the cursor, and what each does.
constexpr struct {
  uint16_t key;
  EditAction action;
} EditKeys[] = {
    {KeyLeft, EditAction::Left},
    {KeyRight, EditAction::Right},
    {KeyUp, EditAction::Up},
    {KeyDown, EditAction::Down},
    {KeySpace, EditAction::Toggle},
    {'G', EditAction::Goal},
    {'S', EditAction::Start},
    {'C', EditAction::CyclePiece},
    {KeyPageUp, EditAction::PreviousFloor},
    {KeyPageDown, EditAction::NextFloor},
    {'W', EditAction::NextWorld},
    {'Z', EditAction::Undo},
    {'Y', EditAction::Redo},
};

void editKey(uint16_t key) {
  editor.note.clear();
  for (const auto& edit : EditKeys) {
    if (edit.key == key) {
      act(edit.action);
      return;
    }
  }
  if (key == KeyF2) {
    saveEditedWorld();
  } else if (key == 'T') {
    beginEntry();
  } else if (key == KeyEnter) {
    play();
  }
}

}  // namespace

void openEditor(const WorldFile& file, const EditorCursor& at, const EditorHooks& hooks) {
  editor.world = std::make_unique<WorldEditor>(file);
  editor.world->placeCursor(at);
  editor.hooks = hooks;
  editor.stage = Stage::Editing;
  editor.note.clear();
  prepareEditorPictures();
  clearSurface();
  draw();
  presentFrame();
}

void closeEditor() {
  if (editor.stage == Stage::Playing && editor.hooks.playOn) editor.hooks.playOn(nullptr);
  editor.world.reset();
  editor.stage = Stage::Editing;
}

bool editorOpen() { return editor.world != nullptr; }

bool editorPlaying() { return editorOpen() && editor.stage == Stage::Playing; }

bool editorTakesEscape() { return editorOpen() && editor.stage != Stage::Editing; }

bool editorKeyDown(uint16_t key) {
  if (!editor.world) return false;
  // Set again by T itself, below.
  editor.dropTypedT = false;
  switch (editor.stage) {
    case Stage::Playing:
      if (key != KeyEscape) return false;
      leaveEditorGame();
      return true;
    case Stage::TypingTitle:
    case Stage::TypingAuthor:
      entryKey(key);
      break;
    case Stage::Editing:
      editKey(key);
      break;
  }
  draw();
  return true;
}

void editorTyped(uint32_t character) {
  if (!editor.world || (editor.stage != Stage::TypingTitle && editor.stage != Stage::TypingAuthor))
    return;
  if (editor.dropTypedT && (character == 't' || character == 'T')) {
    editor.dropTypedT = false;
    return;
  }
  appendCharacter(character);
  draw();
  presentFrame();
}

bool leaveEditorGame() {
  if (!editorPlaying()) return false;
  editor.hooks.playOn(nullptr);
  // The game is left where it stood: the editor's keys are no turns of it.
  GameMode = ModeTitle;
  editor.stage = Stage::Editing;
  editor.note = "back from the game";
  clearSurface();
  draw();
  presentFrame();
  return true;
}

const WorldEditor* editedWorld() { return editor.world.get(); }

bool saveEditedWorld() {
  if (!editor.world || !editor.hooks.save) return false;
  std::string reason;
  if (!editor.hooks.save(writeWorldFile(editor.world->file()), &reason)) {
    editor.note = "not saved: " + reason + "; the old file is kept";
    return false;
  }
  editor.world->markSaved();
  editor.note = "saved";
  changed();
  return true;
}

void forgetEditorSaved() {
  if (!editor.world) return;
  editor.world->markUnsaved();
  editor.note = "the session's changes, not saved";
  draw();
  presentFrame();
}

void sayInEditor(const char* text) {
  if (!editor.world) return;
  editor.note = text;
  draw();
  presentFrame();
}

const std::string& editorNote() { return editor.note; }
