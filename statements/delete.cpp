// DELETE statements.
// Not written yet: these handlers change nothing and write nothing.
#include "statements/delete.h"

void deleteStatement() {}
