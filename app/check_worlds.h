// velmora --check-worlds FILE: a world file's title, author and identity,
// each chara's way to its goal and the waiting game's end; with --preview
// DIR a picture of each floor, with --solve FILE.keys the planner's winning
// game as a recording.
#pragma once

#include <string>

#include "ui/exit_status.h"
#include "worlds/world_file.h"

// Runs the check of the world file at `path`, writing the pictures into
// `previewDir` and the winning game to `solvePath` when they are not empty.
// Returns 0 for a valid file (and, with a solve, a win written), 1 when no
// win was found or a picture, the recording or the report could not be
// written, 2 for a file the reader refuses or a recording refused.
ExitStatus checkWorldsCommand(const std::string& path, const std::string& previewDir,
                              const std::string& solvePath);
// The same for a world file the program holds already (the day's world).
ExitStatus checkWorldFile(const WorldFile& file, const std::string& previewDir,
                          const std::string& solvePath);
