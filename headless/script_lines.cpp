// Script lines read through a small buffer, so a line is handed on as soon as
// its newline arrives and a line without end costs no more than the limit.
#include "headless/script_lines.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace headless {

LineRead LineReader::next(std::string* line) {
  line->clear();
  for (;;) {
    const char* from = buffer_ + start_;
    const void* newline = std::memchr(from, '\n', end_ - start_);
    const size_t take = newline ? size_t(static_cast<const char*>(newline) - from) : end_ - start_;
    if (line->size() + take > MaxLineBytes) return LineRead::TooLong;
    line->append(from, take);
    if (newline) {
      start_ += take + 1;
      return LineRead::Line;
    }
    start_ = end_ = 0;
    if (ended_) return line->empty() ? LineRead::End : LineRead::Line;
    ssize_t n;
    do n = read_(source_, buffer_, sizeof buffer_);
    while (n < 0 && errno == EINTR);
    if (n < 0) {
      error_ = errno;
      return LineRead::Failed;
    }
    if (n == 0) ended_ = true;
    end_ = size_t(n);
  }
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

ScriptLine readScriptLine(std::string_view text, int number) {
  if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  if (trim(text).empty() || trim(text).front() == '#') return {};
  while (isBlank(text.front())) text.remove_prefix(1);
  size_t nameEnd = 0;
  while (nameEnd < text.size() && !isBlank(text[nameEnd])) ++nameEnd;
  // One blank separates the name from its arguments; the rest is kept as it
  // is, so a command that takes text sees its spaces.
  return {text.substr(0, nameEnd), text.substr(nameEnd < text.size() ? nameEnd + 1 : nameEnd)};
}

namespace {

// Returns the length of the well-formed UTF-8 sequence at text[i] that is no
// control character, or 0.
size_t printableSequence(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char first = byte(i);
  if (first >= 0x20 && first < 0x7F) return 1;
  size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // the second byte's range
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    if (first == 0xE0) low = 0xA0;
    if (first == 0xED) high = 0x9F;  // no surrogates
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    if (first == 0xF0) low = 0x90;
    if (first == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  // U+0080 to U+009F are controls too.
  if (first == 0xC2 && byte(i + 1) < 0xA0) return 0;
  return length;
}

}  // namespace

std::string printable(std::string_view text, size_t limit) {
  std::string out;
  size_t shown = 0;
  for (size_t i = 0; i < text.size(); ++shown) {
    if (shown == limit) return out + "...";
    const size_t length = printableSequence(text, i);
    if (length > 0) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(text[i]));
      out += escaped;
      ++i;
    }
  }
  return out;
}

}  // namespace headless
