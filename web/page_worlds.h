// The worlds the page plays (see page_worlds.cpp).
#pragma once

struct WorldFile;

// Plays `file` from the next title on (null: the built-in worlds) and tells
// the page, which shows its title and author and keeps it for a reload: the
// editor's hook for Enter and for coming back.
void playPageWorlds(const WorldFile* file);
