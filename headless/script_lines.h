// Reading a script one line at a time as its lines arrive, in bounded memory,
// and showing its text safely in messages.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace headless {

// The longest line a script may hold, far above any statement.
constexpr size_t MaxLineBytes = 64 * 1024;

enum class LineRead { Line, End, TooLong, Failed };

// Splits what `read` gives into lines. `read` fills up to `size` bytes and
// returns how many (0 at the end, -1 with errno set on a failure); it may
// return as soon as any bytes arrive, so a pipe is read as it is written.
class LineReader {
 public:
  using ReadFn = ssize_t (*)(void* source, char* buffer, size_t size);
  LineReader(ReadFn read, void* source) : read_(read), source_(source) {}
  // Reads the next line into *line, without its "\n". After Failed, error()
  // is the errno of the read.
  LineRead next(std::string* line);
  int error() const { return error_; }

 private:
  ReadFn read_;
  void* source_;
  char buffer_[16 * 1024];
  size_t start_ = 0, end_ = 0;
  bool ended_ = false;
  int error_ = 0;
};

// Returns `text` fit for a terminal: control bytes, C1 controls and bytes
// that are no UTF-8 written as \xHH, cut after `limit` characters with "...".
std::string printable(std::string_view text, size_t limit = 60);

}  // namespace headless
