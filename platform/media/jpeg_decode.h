// Decoding a JPEG resource (the title picture) into a picture.
#pragma once

#include "platform/canvas.h"
#include "platform/resources.h"

namespace platform {

// Decodes the baseline or progressive JPEG in `stream` into `out` as
// 0x00RRGGBB pixels. Returns false, leaving `out` empty, when the data is not
// a JPEG libjpeg can read cleanly (truncated, corrupt, CMYK, over 8192 pixels a side).
// Start-up only: allocates the picture. Loads the native module (native.h)
// first; throws std::runtime_error when it cannot be loaded.
bool decodeJpeg(const ResourceStream& stream, Picture* out);

}  // namespace platform
