// The --edit run (see world_edit_run.h): the hooks that tie the editor to
// its file, the question when the window closes on unsaved work, and the
// offer of a session left behind.
#include "app/world_edit_run.h"

#include <cstdio>
#include <string>

#include "app/world_edit_file.h"
#include "platform/application.h"
#include "ui/editor_mode.h"
#include "ui/played_worlds.h"
#include "worlds/world_writer.h"

namespace {

// The --edit run: one per program, put back at its start.
struct EditRun {
  WorldFile openedFile;
  std::string editedPath;
  bool windowed = false;
  bool discarded = false;
  // No box could ask when the window was closed: the editor said what a
  // second close does.
  bool closeTold = false;
} run;

// A save that fails is told on standard error too: the screen may be gone
// (headless) before anyone reads it.
bool saveHook(const std::string& text, std::string* reason) {
  if (saveEditedFile(text, reason)) return true;
  std::fprintf(stderr, "velmora: cannot save %s: %s; the old file is kept\n",
               run.editedPath.c_str(), reason->c_str());
  return false;
}

void changedHook(const WorldEditor& editor) { keepEditingSession(writeWorldFile(editor.file())); }

// The editor's world goes in as every front end's worlds do.
void playOnHook(const WorldFile* worlds) { giveWorlds(worlds); }

// The window's close button: out of a game played from the editor, back to
// the editor; with changes not saved, the player is asked first.
bool closingEditor() {
  if (leaveEditorGame()) return false;
  const WorldEditor* editor = editedWorld();
  if (editor == nullptr || !editor->dirty()) return true;
  static const char* const buttons[] = {"Save", "Discard", "Cancel"};
  const std::string question = "The world in " + run.editedPath +
                               " has changes that are not saved. Save them before closing?";
  switch (platform::Application.ask(question.c_str(), "Velmora Keep 03", buttons, 3, -1)) {
    case -1:
      // Without a box the editor asks on its own screen; closing again
      // leaves the changes in the session, offered back by the next --edit.
      if (run.closeTold) return true;
      run.closeTold = true;
      sayInEditor("not saved: F2 saves; closing again leaves the changes for the next --edit");
      return false;
    case 0:
      // Not saved: the editor stays open and says why.
      return saveEditedWorld();
    case 1:
      run.discarded = true;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool beginEditing(const Options& options, ExitStatus* status) {
  std::string error, warning;
  run = EditRun{};
  run.editedPath = options.editPath;
  run.windowed = !options.headless;
  if (!openEditedFile(options.editPath, &run.openedFile, &error, &warning)) {
    std::fprintf(stderr, "velmora: %s\n", error.c_str());
    *status = ExitRefused;
    return false;
  }
  if (!warning.empty()) std::fprintf(stderr, "velmora: %s\n", warning.c_str());
  return true;
}

void prepareEditorStart(FormStart* start) {
  if (!run.windowed) return;
  start->closing = closingEditor;
  // The title and author are typed as characters, through the key chain.
  start->typing = true;
}

void openEditorOnFile() {
  WorldFile left = run.openedFile;
  bool takeBack = false;
  if (leftSession(&left)) {
    static const char* const buttons[] = {"Go on with them", "Open the file as saved"};
    const std::string question = "An editing session of " + run.editedPath +
                                 " ended without saving its changes. Go on with them?";
    takeBack = platform::Application.ask(question.c_str(), "Velmora Keep 03", buttons, 2, 0) == 0;
  }
  EditorHooks hooks;
  hooks.save = saveHook;
  hooks.changed = changedHook;
  hooks.playOn = playOnHook;
  hooks.typedCharacters = run.windowed;
  openEditor(takeBack ? left : run.openedFile, EditorCursor{}, hooks);
  if (takeBack) forgetEditorSaved();
}

ExitStatus endEditing(ExitStatus status) {
  const WorldEditor* editor = editedWorld();
  const bool unsaved = editor != nullptr && editor->dirty() && !run.discarded;
  closeEditor();
  endEditingSession(unsaved);
  if (!unsaved) return status;
  std::fprintf(stderr,
               "velmora: the changes to %s are not saved; the next --edit %s offers them back\n",
               run.editedPath.c_str(), run.editedPath.c_str());
  // The work is kept only in the session's copy: a lost write.
  return status != ExitOk ? status : ExitFailed;
}
