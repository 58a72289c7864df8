// Looking up the program's embedded resources in the table the build makes.
#include "platform/resources.h"

#include <strings.h>

namespace platform {

bool findResource(const char* name, const char* type, ResourceStream* out) {
  if (!name || !type || !out || !resourceTable) return false;
  for (size_t i = 0; i < resourceCount; ++i) {
    const ResourceEntry& e = resourceTable[i];
    if (!e.name || !e.type) continue;
    // Resource names and types are matched ignoring case, as Windows does.
    if (strcasecmp(e.name, name) == 0 && strcasecmp(e.type, type) == 0) {
      out->data = e.data;
      out->size = e.size;
      return true;
    }
  }
  return false;
}

}  // namespace platform
