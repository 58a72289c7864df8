// Words a player table may not be named with.
#pragma once

constexpr int ReservedWordCount = 292;
extern const char* const ReservedWords[ReservedWordCount];

bool isReservedWord(const char* text);
