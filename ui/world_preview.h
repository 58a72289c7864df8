// Pictures of a world file's floors for its author: each floor that is not
// all code 5, the whole 32 x 32 map drawn with its world's tile set, as a
// PNG written through the safe writer.
#pragma once

#include <string>
#include <vector>

#include "worlds/world_file.h"

// Writes DIR/worldW-floorF.png for every floor of `file` that is not all
// code 5 and whose world has a tile set, replacing only PNG pictures (never
// through a link). The form's pictures must be loaded (startForm). Returns
// false, with *error naming the file and the cause, at the first picture
// that cannot be written; *written lists the files written, *skipped the
// floors left out for want of a tile set ("world 4 floor 1").
bool writeWorldPreviews(const WorldFile& file, const std::string& dir,
                        std::vector<std::string>* written, std::vector<std::string>* skipped,
                        std::string* error);
