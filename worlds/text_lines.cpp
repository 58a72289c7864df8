// Splitting and decoding a world file's lines (see text_lines.h).
#include "worlds/text_lines.h"

namespace {

// Decodes one UTF-8 character from the front of text into *c. Returns its
// length, or 0 when the bytes are not UTF-8 (overlong forms and surrogates
// included).
size_t decodeOne(std::string_view text, char32_t* c) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned lead = byte(0);
  if (lead < 0x80) {
    *c = lead;
    return 1;
  }
  size_t length;
  char32_t value;
  char32_t least;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    value = value << 6 | (byte(i) & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *c = value;
  return length;
}

int columnAt(std::string_view bytes, size_t offset) {
  int column = 1;
  for (size_t i = 0; i < offset; ++i) {
    if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) ++column;
  }
  return column;
}

}  // namespace

TextLines::TextLines(std::string_view bytes) : rest_(bytes) {
  if (rest_.substr(0, 3) == "\xEF\xBB\xBF") rest_.remove_prefix(3);
}

bool TextLines::next(TextLine* line) {
  if (done_) return false;
  const size_t end = rest_.find('\n');
  std::string_view text = rest_.substr(0, end);
  if (end == std::string_view::npos) {
    done_ = true;
    // A final line end is not the start of another line.
    if (text.empty() && number_ > 0) return false;
  } else {
    rest_.remove_prefix(end + 1);
  }
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  line->number = ++number_;
  line->bytes = text;
  line->chars.clear();
  line->badColumn = 0;
  for (size_t i = 0; i < text.size();) {
    char32_t c = 0;
    const size_t length = decodeOne(text.substr(i), &c);
    if (length == 0 || c == 0) {
      line->badColumn = int(line->chars.size()) + 1;
      line->badReason = length == 0 ? "not UTF-8" : "a NUL character";
      break;
    }
    line->chars.push_back(c);
    i += length;
  }
  return true;
}

std::vector<Word> splitWords(const TextLine& line) {
  std::vector<Word> words;
  const std::string_view text = line.bytes;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == ' ' || text[i] == '\t') {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
    words.push_back(Word{text.substr(i, end - i), columnAt(text, i)});
    i = end;
  }
  return words;
}

Word valueOf(const TextLine& line, size_t head) {
  size_t i = head;
  while (i < line.bytes.size() && (line.bytes[i] == ' ' || line.bytes[i] == '\t')) ++i;
  return Word{line.bytes.substr(i), columnAt(line.bytes, i)};
}

bool isControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}
