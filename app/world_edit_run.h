// `velmora --edit FILE`: the world editor in the window, or driven by a
// headless script's keys. The file is opened before the form starts (a
// refusal opens no window), the editor after it, and the end says whether
// work was left unsaved.
#pragma once

#include "app/options.h"
#include "ui/exit_status.h"
#include "ui/form_start.h"

// Opens options.editPath for editing. False, with the refusal told on
// standard error and *status set, when it cannot be edited.
bool beginEditing(const Options& options, ExitStatus* status);
// Adds what the editor needs from the form's start: the window's close
// button asks first, typed characters go to the title and author.
void prepareEditorStart(FormStart* start);
// Opens the editor in the started form, offering back a session a crash
// left behind.
void openEditorOnFile();
// Closes the editor and its session. Returns `status`, or ExitFailed when the
// changes were left unsaved (they stay in the state folder's session).
ExitStatus endEditing(ExitStatus status);
