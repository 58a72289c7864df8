// Line breaking for the message boxes. Japanese has no blanks between words:
// a line may end before or after any wide character, except before the
// closing marks (、。」 and the like), which never start a line.
#include "platform/text_wrap.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

struct Char {
  size_t at, size;  // bytes of the text
  uint32_t code;
};

// Reads one character at text[at]; a byte that does not start a valid
// sequence (overlong, surrogate, past U+10FFFF, cut short) stands alone.
Char readChar(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return uint8_t(text[i]); };
  const uint8_t lead = byte(at);
  Char c{at, 1, lead < 0x80 ? lead : 0xFFFDu};
  if (lead < 0xC2 || lead > 0xF4) return c;
  const size_t size = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (at + size > text.size()) return c;
  uint32_t code = lead & (0x7F >> size);
  for (size_t i = 1; i < size; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return c;
    code = code << 6 | (byte(at + i) & 0x3F);
  }
  const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[size] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return c;
  return {at, size, code};
}

bool isWide(uint32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
         (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
         (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

// The marks a Japanese line never starts with: closing punctuation, the
// prolonged sound mark and the small kana.
bool neverStartsLine(uint32_t c) {
  static constexpr char16_t marks[] =
      u"、。，．・：；？！ー）」』】〕〉》ゝゞ々ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ";
  for (char16_t m : marks) {
    if (m != 0 && c == m) return true;
  }
  return false;
}

// The opening marks a Japanese line never ends with.
bool neverEndsLine(uint32_t c) { return c == u'「' || c == u'『' || c == u'（' || c == u'【'; }

bool isBlank(uint32_t c) { return c == ' ' || c == '\t'; }

// Appends one paragraph (a line of the text without its break), wrapped.
void wrapParagraph(std::string_view text, const std::vector<Char>& chars, int width,
                   int (*widthOf)(uint32_t), std::string& out) {
  size_t start = 0;  // the first character of the line being filled
  while (start < chars.size()) {
    int used = 0;
    size_t end = chars.size(), next = chars.size();  // where the line ends, the next one starts
    size_t breakEnd = 0, breakNext = 0;              // the last place it may end; 0: none yet
    for (size_t i = start; i < chars.size(); ++i) {
      const uint32_t c = chars[i].code;
      if (isBlank(c)) {
        size_t j = i;
        while (j < chars.size() && isBlank(chars[j].code)) used += widthOf(chars[j++].code);
        // Blanks at the end of the paragraph stay on its last line.
        if (j == chars.size()) break;
        if (i > start) breakEnd = i, breakNext = j;
        i = j - 1;
        continue;
      }
      const uint32_t before = i > start ? chars[i - 1].code : 0;
      if (i > start && !isBlank(before) && (isWide(c) || isWide(before)) && !neverStartsLine(c) &&
          !neverEndsLine(before)) {
        breakEnd = breakNext = i;
      }
      used += widthOf(c);
      if (used > width && i > start) {
        if (breakEnd > start) {
          end = breakEnd, next = breakNext;
        } else {
          end = next = i;
        }
        break;
      }
    }
    const size_t from = chars[start].at;
    const size_t to = end < chars.size() ? chars[end].at : text.size();
    out.append(text.substr(from, to - from));
    if (next < chars.size()) out += '\n';
    start = next;
  }
}

}  // namespace

int columnsOf(uint32_t codePoint) {
  if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)) return 0;
  return isWide(codePoint) ? 2 : 1;
}

std::string wrapText(std::string_view text, int width, int (*widthOf)(uint32_t)) {
  if (width < 1) return std::string(text);
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 8);
  std::vector<Char> chars;
  size_t lineStart = 0;
  for (;;) {
    const size_t lineEnd = std::min(text.find('\n', lineStart), text.size());
    const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    chars.clear();
    for (size_t at = 0; at < line.size();) {
      chars.push_back(readChar(line, at));
      at += chars.back().size;
    }
    wrapParagraph(line, chars, width, widthOf, out);
    if (lineEnd == text.size()) break;
    out += '\n';
    lineStart = lineEnd + 1;
  }
  return out;
}

std::string keepLines(std::string_view text, int rows) {
  if (rows < 1) return std::string(text);
  size_t at = 0;
  for (int row = 1; row < rows; ++row) {
    at = text.find('\n', at);
    if (at == std::string_view::npos) return std::string(text);
    ++at;
  }
  if (text.find('\n', at) == std::string_view::npos) return std::string(text);
  return std::string(text.substr(0, at)) + "…";
}

}  // namespace platform
