// Cutting a statement into the token store, and reading tokens by position.
#pragma once

#include <cstdint>
#include <cstring>

#include "game/game_state.h"

// Fills tokens, tokenLengths and lastToken from a zero-terminated line: blanks
// separate words, and "(", ")", "," and "=" stand alone. The line ends early
// at a word's 15th character or when the 128 slots are full. Empty slots are
// squeezed out; a line with no token leaves lastToken at -1.
void tokenize(const char* line);
// Returns whether token i is exactly text, letter case included. Inline, as
// the clause readers call it for every token they check.
inline bool tokenIs(int i, const char* text) { return std::strcmp(tokenAt(i), text) == 0; }
// Returns whether token i is empty, that is, the statement ends before it.
inline bool tokenEmpty(int i) { return tokenAt(i)[0] == '\0'; }
// Returns whether text equals keyword with a-z folded to A-Z on both sides.
bool keywordEquals(const char* text, const char* keyword);
// Returns the first position from start through lastToken whose token equals
// keyword, or lastToken + 1 when there is none.
int findKeyword(int start, const char* keyword);
// Returns whether a position `findKeyword` returned says the keyword is
// missing: it lies past the statement's last token.
inline bool missing(int position) { return position > lastToken; }
// Answers "WORD not found.": what a statement says when a word it needs is
// missing.
void answerNotFound(const char* word);
// Reads a leading decimal integer: optional sign, then digits up to the first
// other character; no digits read as 0. Saturates instead of overflowing.
int32_t readNumber(const char* text);
