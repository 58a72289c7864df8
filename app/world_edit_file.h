// The world file `velmora --edit FILE` works on: read whole (a new name
// starts a blank file), held against a second editor for as long as the
// editor runs, saved through the safe writer, and a copy of the session in
// the state folder after every change, which a crash leaves behind to be
// offered back.
#pragma once

#include <string>

#include "worlds/world_file.h"

// Opens `path` for editing into *file. Refused, with the reason in *error
// (one line, for standard error), when FILE is a symbolic link, a folder or
// anything but a plain file, longer than a world file may be, not a world
// file (the reader's FILE:LINE:COLUMN message), or held by another editor.
// A state folder that cannot be used is no refusal: *warning then says the
// session is neither held nor kept.
bool openEditedFile(const std::string& path, WorldFile* file, std::string* error,
                    std::string* warning);

// The session an editor of the same file left behind without ending (a
// crash, a killed program), when it differs from the file: true with its
// world in *file.
bool leftSession(WorldFile* file);

// Writes `text` over the file being edited, through a temporary file renamed
// into place. False, with the cause in *reason, when it is not written: the
// old file then stays as it was.
bool saveEditedFile(const std::string& text, std::string* reason);

// Keeps `text`, the world as it stands, as the session's copy.
void keepEditingSession(const std::string& text);

// Ends the session: the copy is removed unless `keepCopy` (changes not
// saved), and the file is free for another editor.
void endEditingSession(bool keepCopy);
