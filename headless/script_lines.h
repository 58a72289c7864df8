// Reading a script one line at a time as its lines arrive, in bounded memory,
// the one reading of what a line says, and showing its text safely in
// messages.
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

// A script line as the runner reads it: the command's name and its
// arguments, the rest of the line after the name and the one blank that
// follows it, kept as it is (only a final carriage return is gone). A blank
// line or a comment has no name.
struct ScriptLine {
  std::string_view name;
  std::string_view args;
};

// Reads line `number` (from 1) of a script, without its "\n". Blanks before
// the name are spaces, tabs and carriage returns, and a byte-order mark some
// editors put first is no part of line 1. Whatever judges a script's lines
// reads them here, so that what it sees is what the runner does.
ScriptLine readScriptLine(std::string_view text, int number);

// A blank between a script's words: space, tab, carriage return or newline.
bool isBlank(char c);

// `s` without blanks at either end.
std::string_view trim(std::string_view s);

// Returns `text` fit for a terminal: control bytes, C1 controls and bytes
// that are no UTF-8 written as \xHH, cut after `limit` characters with "...".
std::string printable(std::string_view text, size_t limit = 60);

}  // namespace headless
