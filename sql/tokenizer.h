// Cutting a statement into the token store, and keyword comparison.
#pragma once

#include <cstdint>
#include <cstring>

#include "game/game_state.h"

// Fills tokens, tokenLengths and lastToken from a zero-terminated line.
void tokenize(const char* line);
// Removes the empty slots among 0..lastToken (second step of tokenize).
void compactTokens();
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
// Reads a leading decimal integer: optional sign, then digits up to the first
// other character; no digits read as 0. Saturates instead of overflowing.
int32_t readNumber(const char* text);
