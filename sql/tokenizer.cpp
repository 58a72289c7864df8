// The tokenizer: blanks separate words, and "(", ")", "," and "=" always
// stand as tokens of their own. No quoting, no case change, no allocation.
#include "sql/tokenizer.h"

#include <cstring>

#include "game/game_state.h"

namespace {

bool isSymbol(char c) { return c == '(' || c == ')' || c == ',' || c == '='; }

char foldLetter(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// Removes the empty slots among 0..lastToken.
void compactTokens() {
  int kept = 0;
  for (int i = 0; i <= lastToken && i < TokenSlots; ++i) {
    if (tokenLengths[i] == 0) continue;
    if (kept != i) {
      std::memcpy(tokens[kept], tokens[i], TokenSize);
      tokenLengths[kept] = tokenLengths[i];
    }
    ++kept;
  }
  for (int i = kept; i < TokenSlots; ++i) {
    std::memset(tokens[i], 0, TokenSize);
    tokenLengths[i] = 0;
  }
  lastToken = kept - 1;
}

}  // namespace

void tokenize(const char* line) {
  std::memset(tokens, 0, sizeof tokens);
  std::memset(tokenLengths, 0, sizeof tokenLengths);
  lastToken = 0;
  int k = 0;
  for (const char* p = line; *p != '\0'; ++p) {
    const char c = *p;
    if (c == ' ') {
      if (k + 1 >= TokenSlots) break;
      ++k;
    } else if (isSymbol(c)) {
      if (k + 1 >= TokenSlots) break;
      ++k;
      tokens[k][0] = c;
      tokenLengths[k] = 1;
      lastToken = k;
      // The next word starts in a fresh slot; with none left the line ends.
      if (k + 1 >= TokenSlots) break;
      ++k;
    } else {
      tokens[k][tokenLengths[k]] = c;
      ++tokenLengths[k];
      if (tokenLengths[k] >= TokenMaxLength) {
        lastToken = k;
        break;
      }
    }
    lastToken = k;
  }
  compactTokens();
}

bool keywordEquals(const char* text, const char* keyword) {
  size_t i = 0;
  for (; text[i] != '\0' && keyword[i] != '\0'; ++i) {
    if (foldLetter(text[i]) != foldLetter(keyword[i])) return false;
  }
  return text[i] == '\0' && keyword[i] == '\0';
}

int findKeyword(int start, const char* keyword) {
  for (int i = start < 0 ? 0 : start; i <= lastToken; ++i) {
    if (keywordEquals(tokens[i], keyword)) return i;
  }
  return lastToken + 1;
}

void answerNotFound(const char* word) { setStatusf("%s not found.", word); }

int32_t readNumber(const char* text) {
  const char* p = text;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = (*p == '-');
    ++p;
  }
  int64_t value = 0;
  while (*p >= '0' && *p <= '9') {
    value = value * 10 + (*p - '0');
    if (value > int64_t(INT32_MAX) + 1) value = int64_t(INT32_MAX) + 1;
    ++p;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return int32_t(value);
}
