// The game's records as one line of JSON, for headless scripts and tests.
#pragma once

#include <string>

// Returns the state as one JSON object on one line: mode, score, seed,
// leader, charas, status, command, commandLength, last, cursor, prevCursor,
// authority and tables. Texts keep their bytes (each byte as the character of
// the same code).
std::string gameStateJson();
