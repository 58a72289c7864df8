// UPDATE statements.
// Not written yet: these handlers change nothing and write nothing.
#include "statements/update.h"

void updateStatement() {}
