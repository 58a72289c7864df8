// Words a player table may not be named with.
#pragma once

// The words, in the order they are tried; their letter case means nothing.
constexpr int ReservedWordCount = 292;
extern const char* const ReservedWords[ReservedWordCount];

// Returns whether text equals one of ReservedWords, a-z and A-Z alike.
bool isReservedWord(const char* text);
