// The lines of a world file as its reader sees them: split at line ends
// (a Windows line end reads the same), trailing spaces and tabs dropped,
// decoded from UTF-8 with each character's column, and the first character
// that is not UTF-8, or is NUL, found.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TextLine {
  int number = 0;               // 1-based
  std::string_view bytes;       // the line as written, without its end
  std::vector<char32_t> chars;  // the decoded characters up to a bad one
  int badColumn = 0;            // the column of a byte that is not UTF-8 or a NUL; 0: none
  const char* badReason = "";
};

class TextLines {
 public:
  // Reads `bytes`, skipping a UTF-8 byte-order mark at its start.
  explicit TextLines(std::string_view bytes);
  // Fills *line with the next line; false after the last.
  bool next(TextLine* line);
  // The number of the last line read (1 for an empty text).
  int lastLine() const { return number_ > 0 ? number_ : 1; }

 private:
  std::string_view rest_;
  int number_ = 0;
  bool done_ = false;
};

// A word of a line: its bytes and the column of its first character.
struct Word {
  std::string_view text;
  int column;
};
// Splits a line at runs of spaces and tabs.
std::vector<Word> splitWords(const TextLine& line);
// Returns what follows the first `head` bytes of a line (a header's name and
// colon), with the spaces before it skipped; at the line's end, empty.
Word valueOf(const TextLine& line, size_t head);

// Whether c is a control character (Unicode's Cc: C0, DEL and C1) or one of
// the characters that reorder text (the bidirectional controls), which a
// title or author must not hold.
bool isControl(char32_t c);
