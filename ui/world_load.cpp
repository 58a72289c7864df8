// Loading a world file from a path (see world_load.h).
#include "ui/world_load.h"

#include "platform/safe_file.h"

bool loadWorldFile(const std::string& path, WorldFile* out, WorldFileError* error,
                   WorldRules rules) {
  // The one bounded reader: anything but a plain file is refused before a
  // byte is read, and nothing waits on a FIFO.
  std::string bytes, reason;
  if (!platform::readWholeFile(path.c_str(), WorldFileLimit, true, &bytes, &reason)) {
    *error = WorldFileError{path, 0, 0, reason};
    return false;
  }
  return readWorldFile(path, bytes, out, error, rules);
}
