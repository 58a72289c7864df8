// INSERT statements.
// Not written yet: these handlers change nothing and write nothing.
#include "statements/insert.h"

void insertStatement() {}
