// Writing a file the program makes (a screenshot, a movie, a saved state)
// where a stranger's script or command line named it: never through a
// symbolic link, never onto anything but a plain file, never over a file that
// is not one of ours, and never leaving half a file behind. Reading a file a
// stranger hands us whole: only a plain file, never more than its kind's
// limit, and never waiting on anything that is no file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// What an existing file at the target must be for it to be replaced: `isOurs`
// looks at its first bytes (at most 64); `what` names it in the refusal, as in
// "a PNG picture".
struct ReplaceRule {
  bool (*isOurs)(std::string_view head);
  const char* what;
};

// Writes `size` bytes to `path`: into a new temporary file beside it, made
// whole and synced, then renamed into place. A path that is a symbolic link,
// a directory, a device or a FIFO, or a plain file that `rule` does not accept,
// is refused and left as it is. Any failure leaves what stood at `path`
// untouched and removes the temporary file. Returns false and sets *reason
// (the cause alone, such as "No space left on device") when nothing was
// written.
bool writeFileAtomically(const char* path, const void* data, size_t size, ReplaceRule rule,
                         std::string* reason);

// Returns whether writeFileAtomically would take `path` now: nothing is
// there, or a plain file that `rule` accepts. Otherwise sets *reason as it
// would. For refusing a target before the work of making its bytes.
bool fileMayBeReplaced(const char* path, ReplaceRule rule, std::string* reason);

// Whether `head` starts with the signature of a PNG picture, an (animated)
// WebP picture or a GIF picture.
bool startsAsPng(std::string_view head);
bool startsAsWebp(std::string_view head);
bool startsAsGif(std::string_view head);

// The most a file of each kind handed to the program may hold: past it the
// file is refused before it is read. A game's keys are a few bytes each, so a
// recording or a script of a whole game stays far below its limit. (A world
// file's is WorldFileLimit, beside the format in worlds/world_file.h.)
constexpr size_t RecordingLimit = 16u << 20;
constexpr size_t ScriptLimit = 16u << 20;

// Reads the whole plain file open on `fd` into *text, reading at most one
// byte past `limit`. A directory, a FIFO, a device (anything but a plain
// file) or a file larger than `limit` is refused, the size told by fstat
// before anything is read. Returns false and sets *reason (the cause alone,
// such as "it holds more than 16 MiB") when nothing was read.
bool readWholeFile(int fd, size_t limit, std::string* text, std::string* reason);

// The same for the file at `path`, opened without waiting on a FIFO; a
// symbolic link is followed only when `followLink` is set.
bool readWholeFile(const char* path, size_t limit, bool followLink, std::string* text,
                   std::string* reason);

// Reads what `fd` gives up to its end (standard input, a pipe: whatever it
// is) into *text, refused as soon as it passes `limit`; `expected` is the
// size to make room for first.
bool readWholeStream(int fd, size_t limit, std::string* text, std::string* reason,
                     size_t expected = 0);

// Writes all `size` bytes of `data` to `fd`, going on after an interrupted
// or short write. Returns false with errno set when a write fails (EIO when
// the file takes nothing).
bool writeAll(int fd, const char* data, size_t size);

}  // namespace platform
