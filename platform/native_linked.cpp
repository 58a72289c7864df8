// The native module's code linked into the program itself, as the tests,
// benchmarks and tools have it: the table is there from the start.
#include "platform/native.h"

namespace platform {

const NativeLibrary& nativeLibrary() { return *velmora_native_library(); }

}  // namespace platform
