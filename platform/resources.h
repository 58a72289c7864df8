// The program's embedded resources, looked up by name and type and read as
// streams. The build turns the files of assets/ into a table linked in.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct ResourceStream {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

// Looks up the resource `name` of type `type` ("TITLE", "JPEG"). Returns false
// when there is none.
bool findResource(const char* name, const char* type, ResourceStream* out);

// The table the build generates; a test may swap it to simulate a missing
// resource.
struct ResourceEntry {
  const char* name;
  const char* type;
  const uint8_t* data;
  size_t size;
};
extern const ResourceEntry* resourceTable;
extern size_t resourceCount;

}  // namespace platform
