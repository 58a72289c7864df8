// Writing a picture file where a stranger's script or command line names the
// place: only a new file, or one that already holds a picture of the same
// kind, is ever replaced, and never through a symbolic link.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

enum class PictureKind { Png, WebP, Gif };

// Returns whether a file may receive a picture of `kind` at `path`: nothing is
// there, or a plain file (not a link, device, pipe or directory) whose first
// bytes are the signature of that kind. Otherwise sets *reason.
bool pictureTargetAllowed(const char* path, PictureKind kind, std::string* reason);

// Puts the `size` bytes at `data` at `path` where pictureTargetAllowed lets
// it: written to a new temporary file beside `path`, then renamed over it
// only when whole, so any failure leaves what stood at `path` as it was.
// Returns false and sets *reason (from strerror where the system said why).
bool replacePictureFile(const char* path, PictureKind kind, const uint8_t* data, size_t size,
                        std::string* reason);

}  // namespace platform
