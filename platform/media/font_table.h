// The table of prepared fonts as the font backends fill it: FreeType on the
// desktop, glyphs prepared at build time in the browser.
#pragma once

#include "platform/media/font.h"

namespace platform {

// Checks a request to prepare `face` at `cellHeight` and returns the empty
// slot to fill, or nullptr when the pair is already prepared. Throws
// std::runtime_error for an empty name, a height outside 1..256 or a full
// table.
FontFace* beginPreparing(const char* face, int cellHeight);

// Registers the slot that beginPreparing returned, now filled.
void finishPreparing();

}  // namespace platform
