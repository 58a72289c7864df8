// Invariants of the game records that must hold after every handled key press
// and every statement, whatever the player typed. The test suite, the soak
// tests and the fuzz targets share this one checker.
#pragma once

#include <string>

// Returns whether every invariant of the global game records holds. When one
// is broken and `why` is not null, `why` receives a short description of the
// first broken one (record, index and the value found).
bool checkInvariants(std::string* why = nullptr);
