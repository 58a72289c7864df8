// The world editor's screen: the whole 32 x 32 floor under the cursor drawn
// with its world's tiles at 14 pixels a cell, the cursor, the start, the
// line of the cell under the cursor in the strip, and beside the floor the
// checker's verdict, what the editor last said and the editor's keys.
#pragma once

#include "worlds/world_editor.h"

// The editor's keys as the screen and --help list them, one "KEY  does" a
// line.
extern const char* const EditorKeyLines[];
extern const int EditorKeyLineCount;

// Makes the small tiles the editor draws with from the form's tile sets.
// Once, after the form's pictures are loaded; a form that does not draw
// makes nothing.
void prepareEditorPictures();

// Draws the editor's screen on the form's upper surface: `editor`'s floor,
// `note` (what the last key did or why it did nothing; "" for none) and
// whether the file has changes not saved. With `entry`, the title or author
// being typed is shown instead of the keys. Allocates nothing.
void drawEditorScreen(const WorldEditor& editor, const char* note, const char* entry);
